//===- tests/des/des_test_support.h - Blocks and keys from hex --*- C++ -*-===//
#ifndef FILECRYPTER_TESTS_DES_DES_TEST_SUPPORT_H
#define FILECRYPTER_TESTS_DES_DES_TEST_SUPPORT_H

#include "cipher/des/des_block.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace filecrypter {

using DesBlock = std::array<std::uint8_t, kDesBlockSize>;

// Eight bytes from sixteen hexadecimal digits.
inline DesBlock BlockFromHex(std::string_view hex) {
  if (hex.size() != 16)
    throw std::invalid_argument("a block needs 16 digits");
  DesBlock block{};
  for (std::size_t i = 0; i < block.size(); ++i)
    block[i] = static_cast<std::uint8_t>(std::stoul(std::string(hex.substr(2 * i, 2)), nullptr, 16));
  return block;
}

inline std::string UpperHex(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (std::uint8_t b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

inline DesBlock BlockFromText(std::string_view text) {
  DesBlock block{};
  for (std::size_t i = 0; i < text.size() && i < block.size(); ++i)
    block[i] = static_cast<std::uint8_t>(text[i]);
  return block;
}

inline DesSubkeys Schedule(const DesBlock &key) {
  DesSubkeys subkeys{};
  DesKeySchedule(key, subkeys);
  return subkeys;
}

inline DesBlock Encrypt(const DesBlock &key, const DesBlock &in) {
  DesBlock out{};
  DesEncryptBlock(in, out, Schedule(key));
  return out;
}

inline DesBlock Decrypt(const DesBlock &key, const DesBlock &in) {
  DesBlock out{};
  DesDecryptBlock(in, out, Schedule(key));
  return out;
}

} // namespace filecrypter

#endif // FILECRYPTER_TESTS_DES_DES_TEST_SUPPORT_H
