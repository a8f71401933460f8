//===- host/file_buffer.h - The reusable whole-file reader ------*- C++ -*-===//
//
// The commands load every file they read into one `FileBuffer`, which holds
// the whole content in memory.  Content is plaintext or key-derived data, so
// it lives in a ByteString, which wipes its memory on release.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_HOST_FILE_BUFFER_H
#define FILECRYPTER_HOST_FILE_BUFFER_H

#include "cipher/byte_string.h"
#include "host/file_system.h"
#include "host/status.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace filecrypter {

// The most a FileBuffer holds; also the largest plaintext the encrypted
// container can describe.
inline constexpr std::uint64_t kFileBufferCapacity = 2'147'483'646;

class FileBuffer {
public:
  // The content becomes empty.
  void Clear() noexcept { content_ = ByteString(); }

  // Replaces the content with the whole file at `path`.  On failure the
  // content is left as it was.
  Status LoadFile(FileSystem &fileSystem, std::string_view path);

  // A copy of the content.
  ByteString GetBytes() const { return content_; }

  // The content itself, valid until the next Clear or LoadFile.
  std::span<const std::uint8_t> bytes() const noexcept { return content_.bytes(); }

private:
  ByteString content_;
};

} // namespace filecrypter

#endif // FILECRYPTER_HOST_FILE_BUFFER_H
