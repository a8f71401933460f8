//===- host/posix_file_system.h - The file system on POSIX ------*- C++ -*-===//
//
// The real file system.  Writes are atomic: bytes go to a uniquely named
// temporary file in the target's folder, are flushed to the disk, and the
// temporary file is then renamed over the target; on any failure it is
// removed again.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_HOST_POSIX_FILE_SYSTEM_H
#define FILECRYPTER_HOST_POSIX_FILE_SYSTEM_H

#include "host/file_system.h"

#include <sys/types.h>

namespace filecrypter {

class PosixFileSystem : public FileSystem {
public:
  Status ReadWholeFile(std::string_view path, std::uint64_t capacity,
                       ByteString &content) override;
  Status WriteWholeFile(std::string_view path, std::span<const std::uint8_t> bytes) override;
  Status CreateFolder(std::string_view path) override;
  bool IsFolder(std::string_view path) override;
  std::optional<std::uint64_t> FileSize(std::string_view path) override;
  std::unique_ptr<DirectoryReader> OpenDirectory(std::string_view path) override;

protected:
  // Writes some of `bytes` to the open file `fd`, as write(2) does: the count
  // written, or -1 with errno set.  Every byte of WriteWholeFile passes here,
  // so a test can make a write fail part way through a file.
  virtual ssize_t WritePart(int fd, std::span<const std::uint8_t> bytes);
};

} // namespace filecrypter

#endif // FILECRYPTER_HOST_POSIX_FILE_SYSTEM_H
