//===- cipher/byte_string.cpp ---------------------------------------------===//

#include "cipher/byte_string.h"

#include <cstring>
#include <new>
#include <utility>

namespace filecrypter {

std::optional<ByteString> ByteString::Allocate(Heap &heap, std::size_t length) noexcept {
  ByteString result;
  if (length == 0)
    return result;
  if (length == static_cast<std::size_t>(-1))
    return std::nullopt;
  result.block_ = HeapBlock::Allocate(heap, length + 1);
  if (!result.block_)
    return std::nullopt;
  result.length_ = length;
  result.block_.data()[length] = 0;
  return result;
}

ByteString::ByteString(std::span<const std::uint8_t> bytes) {
  std::optional<ByteString> copy = Allocate(ProcessHeap(), bytes.size());
  if (!copy)
    throw std::bad_alloc();
  if (!bytes.empty())
    std::memcpy(copy->data(), bytes.data(), bytes.size());
  *this = std::move(*copy);
}

ByteString::ByteString(std::string_view text)
    : ByteString(std::span<const std::uint8_t>(
          reinterpret_cast<const std::uint8_t *>(text.data()), text.size())) {}

ByteString::ByteString(const ByteString &other) : ByteString(other.bytes()) {}

ByteString &ByteString::operator=(const ByteString &other) {
  if (this != &other)
    *this = ByteString(other.bytes());
  return *this;
}

ByteString::ByteString(ByteString &&other) noexcept
    : block_(std::move(other.block_)), length_(std::exchange(other.length_, 0)) {}

ByteString &ByteString::operator=(ByteString &&other) noexcept {
  if (this != &other) {
    block_ = std::move(other.block_);
    length_ = std::exchange(other.length_, 0);
  }
  return *this;
}

void ByteString::Truncate(std::size_t length) noexcept {
  if (length >= length_)
    return;
  length_ = length;
  block_.data()[length] = 0;
}

} // namespace filecrypter
