//===- cipher/byte_string.h - Owning, length-counted bytes ------*- C++ -*-===//
//
// `ByteString` carries file contents, passwords and every cipher result.  It
// owns its bytes, knows their count, and reads as empty when default built,
// so "absent" and "empty" are the same value.  The bytes are always followed
// by one zero byte that is not counted, which lets a ByteString double as a
// zero-terminated text.  Its memory is wiped before it is released.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_CIPHER_BYTE_STRING_H
#define FILECRYPTER_CIPHER_BYTE_STRING_H

#include "cipher/heap.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace filecrypter {

class ByteString {
public:
  ByteString() noexcept = default;
  // Copies `bytes` into memory of the process heap.  Throws std::bad_alloc
  // when that memory cannot be had.
  explicit ByteString(std::span<const std::uint8_t> bytes);
  explicit ByteString(std::string_view text);

  ByteString(const ByteString &other);
  ByteString &operator=(const ByteString &other);
  ByteString(ByteString &&other) noexcept;
  ByteString &operator=(ByteString &&other) noexcept;
  ~ByteString() = default;

  // A ByteString of `length` bytes from `heap`, content unspecified; nullopt
  // when the heap refuses.  A length of 0 needs no memory and always works.
  static std::optional<ByteString> Allocate(Heap &heap, std::size_t length) noexcept;

  std::size_t size() const noexcept { return length_; }
  bool empty() const noexcept { return length_ == 0; }

  const std::uint8_t *data() const noexcept { return block_ ? block_.data() : &kTerminator; }
  std::uint8_t *data() noexcept { return block_.data(); }
  std::span<const std::uint8_t> bytes() const noexcept { return {data(), length_}; }
  std::span<std::uint8_t> mutable_bytes() noexcept { return {block_.data(), length_}; }
  operator std::span<const std::uint8_t>() const noexcept { return bytes(); }

  // All bytes as characters, and the same bytes as a C string.
  std::string_view view() const noexcept {
    return {reinterpret_cast<const char *>(data()), length_};
  }
  const char *c_str() const noexcept { return reinterpret_cast<const char *>(data()); }

  // Shortens the counted length to `length` (no effect when it is not
  // shorter).  The bytes past it stay owned and are wiped on release.
  void Truncate(std::size_t length) noexcept;

  friend bool operator==(const ByteString &a, const ByteString &b) noexcept {
    return a.view() == b.view();
  }

private:
  static constexpr std::uint8_t kTerminator = 0;

  HeapBlock block_; // length_ + 1 bytes when not empty
  std::size_t length_ = 0;
};

// The bytes of a text up to (not including) its first zero byte.  Engine
// operations that take a text read it this way.
inline std::string_view ZeroTerminated(std::string_view text) noexcept {
  return text.substr(0, text.find('\0'));
}

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_BYTE_STRING_H
