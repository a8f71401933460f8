//===- tests/stream/stream_test_support.h - Reference streams ---*- C++ -*-===//
//
// What the byte streams are checked against: the block functions (checked
// on their own against published vectors) driven through plain byte arrays
// in the cipher's standard byte order, a textbook CFB-8 loop over them, and
// SHA-1 from OpenSSL for the key the ciphers should be given.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_TESTS_STREAM_STREAM_TEST_SUPPORT_H
#define FILECRYPTER_TESTS_STREAM_STREAM_TEST_SUPPORT_H

#include "cipher/stream/blowfish.h"
#include "cipher/stream/rc6.h"

#include <openssl/sha.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace filecrypter::testing {

using Bytes = std::vector<std::uint8_t>;

inline std::array<std::uint8_t, 20> ReferenceSha1(std::span<const std::uint8_t> bytes) {
  std::array<std::uint8_t, 20> digest{};
  SHA1(bytes.data(), bytes.size(), digest.data());
  return digest;
}

// RC6 reads its block as little-endian words, Blowfish as big-endian halves.
inline Bytes Rc6EncryptBytes(const Rc6Schedule &schedule, const Bytes &in) {
  auto word = [&](int i) {
    return std::uint32_t{in[4 * i]} | std::uint32_t{in[4 * i + 1]} << 8 |
           std::uint32_t{in[4 * i + 2]} << 16 | std::uint32_t{in[4 * i + 3]} << 24;
  };
  const Rc6Block out = Rc6EncryptBlock(schedule, {word(0), word(1), word(2), word(3)});
  Bytes bytes;
  for (std::uint32_t w : {out.a, out.b, out.c, out.d})
    for (int shift = 0; shift < 32; shift += 8)
      bytes.push_back(static_cast<std::uint8_t>(w >> shift));
  return bytes;
}

inline Bytes BlowfishEncryptBytes(const BlowfishContext &context, const Bytes &in) {
  auto word = [&](int i) {
    return std::uint32_t{in[4 * i]} << 24 | std::uint32_t{in[4 * i + 1]} << 16 |
           std::uint32_t{in[4 * i + 2]} << 8 | std::uint32_t{in[4 * i + 3]};
  };
  const BlowfishBlock out = BlowfishEncryptBlock(context, {word(0), word(1)});
  Bytes bytes;
  for (std::uint32_t w : {out.left, out.right})
    for (int shift = 24; shift >= 0; shift -= 8)
      bytes.push_back(static_cast<std::uint8_t>(w >> shift));
  return bytes;
}

// One block encryption of a cipher keyed with `key`, over byte arrays.
using BlockEncryptor = std::function<Bytes(const Bytes &)>;

inline BlockEncryptor Rc6Encryptor(std::span<const std::uint8_t> key) {
  auto schedule = std::make_shared<Rc6Schedule>();
  Rc6ExpandKey(key, *schedule);
  return [schedule](const Bytes &in) { return Rc6EncryptBytes(*schedule, in); };
}

inline BlockEncryptor BlowfishEncryptor(std::span<const std::uint8_t> key) {
  auto context = std::make_shared<BlowfishContext>();
  BlowfishExpandKey(key, *context);
  return [context](const Bytes &in) { return BlowfishEncryptBytes(*context, in); };
}

// CFB-8 as the textbook writes it: the register starts at E(0), each byte
// is XORed with the first byte of E(register), and the register drops its
// first byte and takes the ciphertext byte.
inline Bytes TextbookCfb8(const BlockEncryptor &encrypt, std::size_t blockSize, const Bytes &data,
                          bool encrypting) {
  Bytes reg = encrypt(Bytes(blockSize, 0));
  Bytes out;
  for (std::uint8_t x : data) {
    const std::uint8_t y = x ^ encrypt(reg)[0];
    out.push_back(y);
    reg.erase(reg.begin());
    reg.push_back(encrypting ? y : x);
  }
  return out;
}

} // namespace filecrypter::testing

#endif // FILECRYPTER_TESTS_STREAM_STREAM_TEST_SUPPORT_H
