//===- cipher/stream/rc6.h - RC6-32/20 key schedule and block ---*- C++ -*-===//
//
// RC6 with 32-bit words and 20 rounds, encryption direction only: the byte
// streams run it in cipher feedback, which never needs the inverse.  The
// block function is inline and works on four words held in registers, so
// the stream loop pays no call and no memory round trip per byte.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_CIPHER_STREAM_RC6_H
#define FILECRYPTER_CIPHER_STREAM_RC6_H

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

namespace filecrypter {

inline constexpr std::size_t kRc6RoundKeyCount = 44; // 2 × 20 rounds + 4
inline constexpr std::size_t kRc6MaxKeySize = 255;

// A 16-byte block as the cipher sees it: four little-endian words, the
// block's first byte being the low byte of `a`.
struct Rc6Block {
  std::uint32_t a = 0, b = 0, c = 0, d = 0;

  friend bool operator==(const Rc6Block &, const Rc6Block &) = default;
};

// The expanded key.  Every word the rounds multiply is 2·(x + S[i]) + 1 for
// a fresh x; with 2·S[i] + 1 at hand that is one instruction from x, side by
// side with x + S[i], instead of a second one after it.  It takes a cycle
// off each round's dependency chain, and the chain sets the stream's speed.
struct Rc6Schedule {
  std::uint32_t roundKeys[kRc6RoundKeyCount];      // S[i]
  std::uint32_t multiplierKeys[kRc6RoundKeyCount]; // 2·S[i] + 1
};

// The working buffer of an RC6 call, held in the engine's context field.
struct Rc6Context {
  Rc6Schedule schedule;
  Rc6Block feedback; // the stream's register
};

// The published key schedule for a key of 0 to kRc6MaxKeySize bytes
// (longer keys are cut to that length).  The engine feeds it 20-byte
// digests; other lengths serve the published test vectors.
void Rc6ExpandKey(std::span<const std::uint8_t> key, Rc6Schedule &schedule) noexcept;

namespace rc6_detail {

// A word together with 2·word + 1, the multiplier it meets in the next round.
struct KeyedWord {
  std::uint32_t value, twicePlusOne;
};

[[gnu::always_inline]] inline KeyedWord AddKey(std::uint32_t x, const Rc6Schedule &k,
                                               int i) noexcept {
  return {x + k.roundKeys[i], 2 * x + k.multiplierKeys[i]};
}

// One round on (a, b, c, d) with round keys i and i + 1; the caller rotates
// the roles of the four words from one round to the next.
[[gnu::always_inline]] inline void Round(KeyedWord &a, const KeyedWord &b, KeyedWord &c,
                                         const KeyedWord &d, const Rc6Schedule &k,
                                         int i) noexcept {
  const std::uint32_t t = std::rotl(b.value * b.twicePlusOne, 5);
  const std::uint32_t u = std::rotl(d.value * d.twicePlusOne, 5);
  a = AddKey(std::rotl(a.value ^ t, static_cast<int>(u & 31)), k, i);
  c = AddKey(std::rotl(c.value ^ u, static_cast<int>(t & 31)), k, i + 1);
}

} // namespace rc6_detail

// Encrypts one block.  The 20 rounds are written out; after every four the
// words are back in their starting roles.
[[gnu::always_inline]] inline Rc6Block Rc6EncryptBlock(const Rc6Schedule &k, Rc6Block in) noexcept {
  using rc6_detail::AddKey;
  using rc6_detail::KeyedWord;
  using rc6_detail::Round;
  KeyedWord a{in.a, 0}, b = AddKey(in.b, k, 0), c{in.c, 0}, d = AddKey(in.d, k, 1);
  Round(a, b, c, d, k, 2);
  Round(b, c, d, a, k, 4);
  Round(c, d, a, b, k, 6);
  Round(d, a, b, c, k, 8);
  Round(a, b, c, d, k, 10);
  Round(b, c, d, a, k, 12);
  Round(c, d, a, b, k, 14);
  Round(d, a, b, c, k, 16);
  Round(a, b, c, d, k, 18);
  Round(b, c, d, a, k, 20);
  Round(c, d, a, b, k, 22);
  Round(d, a, b, c, k, 24);
  Round(a, b, c, d, k, 26);
  Round(b, c, d, a, k, 28);
  Round(c, d, a, b, k, 30);
  Round(d, a, b, c, k, 32);
  Round(a, b, c, d, k, 34);
  Round(b, c, d, a, k, 36);
  Round(c, d, a, b, k, 38);
  Round(d, a, b, c, k, 40);
  return {a.value + k.roundKeys[42], b.value, c.value + k.roundKeys[43], d.value};
}

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_STREAM_RC6_H
