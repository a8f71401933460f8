//===- host/posix_file_system.h - The file system on POSIX ------*- C++ -*-===//
//
// The real file system.  Writes are atomic: bytes go to a uniquely named
// temporary file in the target's folder, which is then renamed over the
// target; on any failure it is removed again.
//
// Durability: a file that replaces an existing one is flushed to the disk
// before the rename, so that a crash leaves the old content or the new, never
// an empty file.  A new file is not: a crash may lose it, but nothing that
// was there before, and leaving the flush to the kernel keeps a folder of
// many small files about as fast to write as to copy.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_HOST_POSIX_FILE_SYSTEM_H
#define FILECRYPTER_HOST_POSIX_FILE_SYSTEM_H

#include "host/file_system.h"

#include <sys/types.h>

namespace filecrypter {

class PosixFileWriter;

class PosixFileSystem : public FileSystem {
public:
  Status ReadWholeFile(std::string_view path, std::uint64_t capacity,
                       ByteString &content) override;
  Status WriteWholeFile(std::string_view path, std::span<const std::uint8_t> bytes) override;
  Status OpenForReading(std::string_view path, std::unique_ptr<FileReader> &reader) override;
  Status CreateReplacement(std::string_view path, std::unique_ptr<FileWriter> &writer) override;
  Status CreateFolder(std::string_view path) override;
  bool IsFolder(std::string_view path) override;
  std::optional<std::uint64_t> FileSize(std::string_view path) override;
  std::unique_ptr<DirectoryReader> OpenDirectory(std::string_view path) override;

protected:
  // Writes some of `bytes` to the open file `fd`, as write(2) does: the count
  // written, or -1 with errno set.  Every byte written to a file passes here,
  // so a test can make a write fail part way through a file.
  virtual ssize_t WritePart(int fd, std::span<const std::uint8_t> bytes);

private:
  friend class PosixFileWriter;

  // What CreateReplacement does, without the virtual call, for WriteWholeFile.
  Status StartReplacement(std::string_view path, std::unique_ptr<PosixFileWriter> &writer);
};

} // namespace filecrypter

#endif // FILECRYPTER_HOST_POSIX_FILE_SYSTEM_H
