//===- cipher/stream/cfb8_ciphers.h - RC6 and Blowfish registers -*- C++ -*-===//
//
// The two ciphers as the CFB-8 loop sees them.  Each keeps the register in
// its own block type, so the byte shift is a few word shifts and the first
// byte is the cipher's standard first byte of the block.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_CIPHER_STREAM_CFB8_CIPHERS_H
#define FILECRYPTER_CIPHER_STREAM_CFB8_CIPHERS_H

#include "cipher/stream/blowfish.h"
#include "cipher/stream/cfb8_stream.h"
#include "cipher/stream/rc6.h"

#include <cstdint>

namespace filecrypter {

// RC6's register as four little-endian words: its first byte is the low
// byte of `a`, so dropping it shifts the words right by eight bits.
struct Rc6Cfb8 {
  using Block = Rc6Block;
  const Rc6Schedule *schedule;

  [[gnu::always_inline]] Block Encrypt(const Block &block) const noexcept {
    return Rc6EncryptBlock(*schedule, block);
  }
  [[gnu::always_inline]] static std::uint8_t FirstByte(const Block &block) noexcept {
    return static_cast<std::uint8_t>(block.a);
  }
  [[gnu::always_inline]] static Block ShiftIn(const Block &r, std::uint8_t last) noexcept {
    return {(r.a >> 8) | (r.b << 24), (r.b >> 8) | (r.c << 24), (r.c >> 8) | (r.d << 24),
            (r.d >> 8) | (std::uint32_t{last} << 24)};
  }
};
static_assert(Cfb8Cipher<Rc6Cfb8>);

// Blowfish's register as two big-endian halves: its first byte is the top
// byte of `left`, so dropping it shifts the halves left by eight bits.
struct BlowfishCfb8 {
  using Block = BlowfishBlock;
  const BlowfishContext *context;

  [[gnu::always_inline]] Block Encrypt(const Block &block) const noexcept {
    return BlowfishEncryptBlock(*context, block);
  }
  [[gnu::always_inline]] static std::uint8_t FirstByte(const Block &block) noexcept {
    return static_cast<std::uint8_t>(block.left >> 24);
  }
  [[gnu::always_inline]] static Block ShiftIn(const Block &r, std::uint8_t last) noexcept {
    return {(r.left << 8) | (r.right >> 24), (r.right << 8) | last};
  }
};
static_assert(Cfb8Cipher<BlowfishCfb8>);

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_STREAM_CFB8_CIPHERS_H
