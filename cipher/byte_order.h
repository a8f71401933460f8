//===- cipher/byte_order.h - Words read from and written to bytes -*- C++ -*-===//
//
// The block ciphers and the digest define their words over bytes in a fixed
// order, independent of the processor's.  Compilers turn these into single
// loads and stores with a byte swap where one is needed.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_CIPHER_BYTE_ORDER_H
#define FILECRYPTER_CIPHER_BYTE_ORDER_H

#include <cstdint>

namespace filecrypter {

// The first byte is the most significant.
inline std::uint32_t LoadBigEndian(const std::uint8_t *p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         std::uint32_t{p[3]};
}

inline void StoreBigEndian(std::uint8_t *p, std::uint32_t w) {
  p[0] = static_cast<std::uint8_t>(w >> 24);
  p[1] = static_cast<std::uint8_t>(w >> 16);
  p[2] = static_cast<std::uint8_t>(w >> 8);
  p[3] = static_cast<std::uint8_t>(w);
}

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_BYTE_ORDER_H
