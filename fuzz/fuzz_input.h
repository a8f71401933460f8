//===- fuzz/fuzz_input.h - Splitting one fuzz input into arguments -*- C++ -*-===//
#ifndef FILECRYPTER_FUZZ_FUZZ_INPUT_H
#define FILECRYPTER_FUZZ_FUZZ_INPUT_H

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

namespace filecrypter::fuzz {

// Hands out the fuzzer's bytes front to back; past the end it gives zeros
// and empty pieces, so every input, however short, makes one call.
class FuzzInput {
public:
  FuzzInput(const std::uint8_t *data, std::size_t size) noexcept : rest_(data, size) {}

  std::uint8_t Byte() noexcept {
    if (rest_.empty())
      return 0;
    const std::uint8_t byte = rest_.front();
    rest_ = rest_.subspan(1);
    return byte;
  }

  // The next `count` bytes, or as many as are left.
  std::span<const std::uint8_t> Bytes(std::size_t count) noexcept {
    const std::span<const std::uint8_t> part = rest_.first(count < rest_.size() ? count : rest_.size());
    rest_ = rest_.subspan(part.size());
    return part;
  }

  // A piece whose length is given by the next byte.
  std::span<const std::uint8_t> Piece() noexcept { return Bytes(Byte()); }

  std::span<const std::uint8_t> Rest() noexcept { return Bytes(rest_.size()); }

private:
  std::span<const std::uint8_t> rest_;
};

inline std::string_view AsText(std::span<const std::uint8_t> bytes) noexcept {
  return {reinterpret_cast<const char *>(bytes.data()), bytes.size()};
}

// A broken promise of the code under test: abort, so the fuzzer keeps the input.
inline void Check(bool holds) {
  if (!holds)
    std::abort();
}

} // namespace filecrypter::fuzz

#endif // FILECRYPTER_FUZZ_FUZZ_INPUT_H
