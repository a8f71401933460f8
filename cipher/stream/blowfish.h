//===- cipher/stream/blowfish.h - Blowfish key schedule and block -*- C++ -*-===//
//
// Blowfish with 16 rounds, encryption direction only: the byte streams run
// it in cipher feedback, which never needs the inverse.  The block function
// is inline and works on the two halves held in registers.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_CIPHER_STREAM_BLOWFISH_H
#define FILECRYPTER_CIPHER_STREAM_BLOWFISH_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace filecrypter {

inline constexpr std::size_t kBlowfishSBoxWords = 4 * 256;
inline constexpr std::size_t kBlowfishPWords = 18;
inline constexpr std::size_t kBlowfishMaxKeySize = 56;

// The initial S-boxes S0..S3 followed by the initial P-array: the
// fractional hexadecimal digits of pi, 32 bits at a time, with words 0-17 of
// that sequence as P and the words after them as the S-boxes.
extern const std::array<std::uint32_t, kBlowfishSBoxWords + kBlowfishPWords> kBlowfishInitTable;

// An 8-byte block as two big-endian halves; the block's first byte is the
// top byte of `left`.
struct BlowfishBlock {
  std::uint32_t left = 0, right = 0;

  friend bool operator==(const BlowfishBlock &, const BlowfishBlock &) = default;
};

// The working buffer of a Blowfish call, held in the engine's context field.
struct BlowfishContext {
  std::uint32_t s[4][256];
  std::uint32_t initialP[kBlowfishPWords]; // read only by the key mixing
  std::uint32_t p[kBlowfishPWords];
  BlowfishBlock feedback; // the stream's register
};

// Bytes reserved for a new context; the layout needs fewer.
inline constexpr std::size_t kBlowfishContextReserve = 4384;
static_assert(sizeof(BlowfishContext) <= kBlowfishContextReserve);

// The published key schedule for a key of 1 to kBlowfishMaxKeySize bytes
// (longer keys are cut to that length; an empty key is used as one zero
// byte).  The engine feeds it 20-byte digests; other lengths serve the
// published test vectors.  Writes every field but the register.
void BlowfishExpandKey(std::span<const std::uint8_t> key, BlowfishContext &context) noexcept;

namespace blowfish_detail {

[[gnu::always_inline]] inline std::uint32_t F(const std::uint32_t (&s)[4][256],
                                              std::uint32_t x) noexcept {
  return ((s[0][x >> 24] + s[1][(x >> 16) & 0xFF]) ^ s[2][(x >> 8) & 0xFF]) + s[3][x & 0xFF];
}

} // namespace blowfish_detail

// Encrypts one block under the S-boxes and P-array of `context`.  The 16
// rounds are written out in pairs, so the halves never swap places.
[[gnu::always_inline]] inline BlowfishBlock BlowfishEncryptBlock(const BlowfishContext &context,
                                                                 BlowfishBlock in) noexcept {
  using blowfish_detail::F;
  const auto &s = context.s;
  const std::uint32_t *p = context.p;
  std::uint32_t l = in.left ^ p[0], r = in.right;
  r ^= F(s, l) ^ p[1];
  l ^= F(s, r) ^ p[2];
  r ^= F(s, l) ^ p[3];
  l ^= F(s, r) ^ p[4];
  r ^= F(s, l) ^ p[5];
  l ^= F(s, r) ^ p[6];
  r ^= F(s, l) ^ p[7];
  l ^= F(s, r) ^ p[8];
  r ^= F(s, l) ^ p[9];
  l ^= F(s, r) ^ p[10];
  r ^= F(s, l) ^ p[11];
  l ^= F(s, r) ^ p[12];
  r ^= F(s, l) ^ p[13];
  l ^= F(s, r) ^ p[14];
  r ^= F(s, l) ^ p[15];
  l ^= F(s, r) ^ p[16];
  return {r ^ p[17], l};
}

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_STREAM_BLOWFISH_H
