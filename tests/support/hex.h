//===- tests/support/hex.h - Hexadecimal literals for test vectors -*- C++ -*-===//
#ifndef FILECRYPTER_TESTS_SUPPORT_HEX_H
#define FILECRYPTER_TESTS_SUPPORT_HEX_H

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace filecrypter::testing {

// "0a1b 2c" -> {0x0a, 0x1b, 0x2c}; spaces are ignored.  Independent of the
// engine's own hexadecimal helpers, so vectors do not depend on the code
// under test.
inline std::vector<std::uint8_t> FromHex(std::string_view hex) {
  auto value = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    throw std::invalid_argument("not a hexadecimal digit");
  };
  std::vector<std::uint8_t> bytes;
  int high = -1;
  for (char c : hex) {
    if (c == ' ')
      continue;
    if (high < 0) {
      high = value(c);
    } else {
      bytes.push_back(static_cast<std::uint8_t>(high * 16 + value(c)));
      high = -1;
    }
  }
  if (high >= 0)
    throw std::invalid_argument("odd number of digits");
  return bytes;
}

inline std::string ToHex(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (std::uint8_t b : bytes) {
    hex += kDigits[b >> 4];
    hex += kDigits[b & 15];
  }
  return hex;
}

} // namespace filecrypter::testing

#endif // FILECRYPTER_TESTS_SUPPORT_HEX_H
