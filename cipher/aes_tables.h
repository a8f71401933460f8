//===- cipher/aes_tables.h - Constant tables of the AES rounds --*- C++ -*-===//
//
// The 32-bit table formulation of AES: each round of SubBytes, ShiftRows and
// MixColumns is four lookups per column.  The tables are computed by the
// compiler from the GF(2^8) arithmetic of the standard, so the binary holds
// them as constant data and nothing is built at run time.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_CIPHER_AES_TABLES_H
#define FILECRYPTER_CIPHER_AES_TABLES_H

#include <array>
#include <cstdint>

namespace filecrypter {

struct AesTables {
  // Te0: 2·S(x), S(x), S(x), 3·S(x) from the most significant byte down;
  // Te1..Te3: Te0 rotated right by 8, 16, 24 bits; Te4: S(x) in every byte.
  std::array<std::uint32_t, 256> te0, te1, te2, te3, te4;
  // Td0: 14·Si(x), 9·Si(x), 13·Si(x), 11·Si(x); Td1..Td3 rotated as above;
  // Td4: Si(x) in every byte.
  std::array<std::uint32_t, 256> td0, td1, td2, td3, td4;
  // Round constants of the key expansion, in the top byte.
  std::array<std::uint32_t, 10> rcon;
};

namespace aes_detail {

constexpr std::uint8_t Times2(std::uint8_t x) {
  return static_cast<std::uint8_t>((x << 1) ^ ((x & 0x80) ? 0x1B : 0x00));
}

constexpr std::uint8_t Multiply(std::uint8_t a, std::uint8_t b) {
  std::uint8_t product = 0;
  while (b != 0) {
    if (b & 1)
      product ^= a;
    a = Times2(a);
    b >>= 1;
  }
  return product;
}

constexpr std::uint8_t RotateLeft8(std::uint8_t x, int n) {
  return static_cast<std::uint8_t>((x << n) | (x >> (8 - n)));
}

constexpr std::uint32_t RotateRight32(std::uint32_t x, int n) {
  return (x >> n) | (x << (32 - n));
}

constexpr std::uint32_t Word(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
  return (std::uint32_t{b0} << 24) | (std::uint32_t{b1} << 16) | (std::uint32_t{b2} << 8) | b3;
}

// S-box from the multiplicative inverse and the affine map, walking the
// field with the generator 3 (p) and its inverse (q) in step.
constexpr std::array<std::uint8_t, 256> MakeSbox() {
  std::array<std::uint8_t, 256> sbox{};
  std::uint8_t p = 1, q = 1;
  do {
    p = static_cast<std::uint8_t>(p ^ Times2(p));
    q = static_cast<std::uint8_t>(q ^ (q << 1));
    q = static_cast<std::uint8_t>(q ^ (q << 2));
    q = static_cast<std::uint8_t>(q ^ (q << 4));
    if (q & 0x80)
      q ^= 0x09;
    sbox[p] = static_cast<std::uint8_t>(q ^ RotateLeft8(q, 1) ^ RotateLeft8(q, 2) ^
                                        RotateLeft8(q, 3) ^ RotateLeft8(q, 4) ^ 0x63);
  } while (p != 1);
  sbox[0] = 0x63;
  return sbox;
}

constexpr AesTables MakeAesTables() {
  AesTables t{};
  const std::array<std::uint8_t, 256> sbox = MakeSbox();
  std::array<std::uint8_t, 256> inverse{};
  for (int x = 0; x < 256; ++x)
    inverse[sbox[x]] = static_cast<std::uint8_t>(x);
  for (int x = 0; x < 256; ++x) {
    const std::uint8_t s = sbox[x];
    const std::uint8_t si = inverse[x];
    t.te0[x] = Word(Multiply(s, 2), s, s, Multiply(s, 3));
    t.te1[x] = RotateRight32(t.te0[x], 8);
    t.te2[x] = RotateRight32(t.te0[x], 16);
    t.te3[x] = RotateRight32(t.te0[x], 24);
    t.te4[x] = Word(s, s, s, s);
    t.td0[x] = Word(Multiply(si, 14), Multiply(si, 9), Multiply(si, 13), Multiply(si, 11));
    t.td1[x] = RotateRight32(t.td0[x], 8);
    t.td2[x] = RotateRight32(t.td0[x], 16);
    t.td3[x] = RotateRight32(t.td0[x], 24);
    t.td4[x] = Word(si, si, si, si);
  }
  std::uint8_t rc = 1;
  for (auto &word : t.rcon) {
    word = std::uint32_t{rc} << 24;
    rc = Times2(rc);
  }
  return t;
}

} // namespace aes_detail

inline constexpr AesTables kAesTables = aes_detail::MakeAesTables();

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_AES_TABLES_H
