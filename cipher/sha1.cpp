//===- cipher/sha1.cpp - SHA-1 digest -------------------------------------===//

#include "cipher/sha1.h"
#include "cipher/byte_order.h"

#include "cipher/engine.h"
#include "cipher/secure_wipe.h"

#include <array>
#include <cstring>

namespace filecrypter {
namespace {

using Schedule = std::array<std::uint32_t, 16>;
using State = std::array<std::uint32_t, 5>;

constexpr State kInitialState = {0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u, 0xC3D2E1F0u};

constexpr std::uint32_t Rotl(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

template <class T> void WipeWords(T &words) noexcept {
  SecureWipe({reinterpret_cast<std::uint8_t *>(words.data()), sizeof(words)});
}

// One step per group of twenty.  `e` receives the new working word and `b`
// is rotated in place; the caller shifts the five roles from step to step
// rather than moving values between variables.
inline void Step1(std::uint32_t a, std::uint32_t &b, std::uint32_t c, std::uint32_t d,
                  std::uint32_t &e, std::uint32_t w) {
  e += Rotl(a, 5) + ((b & c) | (~b & d)) + 0x5A827999u + w;
  b = Rotl(b, 30);
}

inline void Step2(std::uint32_t a, std::uint32_t &b, std::uint32_t c, std::uint32_t d,
                  std::uint32_t &e, std::uint32_t w) {
  e += Rotl(a, 5) + (b ^ c ^ d) + 0x6ED9EBA1u + w;
  b = Rotl(b, 30);
}

inline void Step3(std::uint32_t a, std::uint32_t &b, std::uint32_t c, std::uint32_t d,
                  std::uint32_t &e, std::uint32_t w) {
  e += Rotl(a, 5) + ((b & c) | (b & d) | (c & d)) + 0x8F1BBCDCu + w;
  b = Rotl(b, 30);
}

inline void Step4(std::uint32_t a, std::uint32_t &b, std::uint32_t c, std::uint32_t d,
                  std::uint32_t &e, std::uint32_t w) {
  e += Rotl(a, 5) + (b ^ c ^ d) + 0xCA62C1D6u + w;
  b = Rotl(b, 30);
}

// Replaces the sixteen schedule words with the next sixteen.  Word i of the
// new run lies 16 places after the word it overwrites; the words 3, 8 and 14
// places back are either still there or already rewritten, as each needs.
inline void NextSchedule(Schedule &w) {
  for (std::size_t i = 0; i < 16; ++i)
    w[i] = Rotl(w[(i + 13) & 15] ^ w[(i + 8) & 15] ^ w[(i + 2) & 15] ^ w[i], 1);
}

void Compress(State &state, Schedule &w) {
  std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
  Step1(a, b, c, d, e, w[0]);
  Step1(e, a, b, c, d, w[1]);
  Step1(d, e, a, b, c, w[2]);
  Step1(c, d, e, a, b, w[3]);
  Step1(b, c, d, e, a, w[4]);
  Step1(a, b, c, d, e, w[5]);
  Step1(e, a, b, c, d, w[6]);
  Step1(d, e, a, b, c, w[7]);
  Step1(c, d, e, a, b, w[8]);
  Step1(b, c, d, e, a, w[9]);
  Step1(a, b, c, d, e, w[10]);
  Step1(e, a, b, c, d, w[11]);
  Step1(d, e, a, b, c, w[12]);
  Step1(c, d, e, a, b, w[13]);
  Step1(b, c, d, e, a, w[14]);
  Step1(a, b, c, d, e, w[15]);
  NextSchedule(w);
  Step1(e, a, b, c, d, w[0]);
  Step1(d, e, a, b, c, w[1]);
  Step1(c, d, e, a, b, w[2]);
  Step1(b, c, d, e, a, w[3]);
  Step2(a, b, c, d, e, w[4]);
  Step2(e, a, b, c, d, w[5]);
  Step2(d, e, a, b, c, w[6]);
  Step2(c, d, e, a, b, w[7]);
  Step2(b, c, d, e, a, w[8]);
  Step2(a, b, c, d, e, w[9]);
  Step2(e, a, b, c, d, w[10]);
  Step2(d, e, a, b, c, w[11]);
  Step2(c, d, e, a, b, w[12]);
  Step2(b, c, d, e, a, w[13]);
  Step2(a, b, c, d, e, w[14]);
  Step2(e, a, b, c, d, w[15]);
  NextSchedule(w);
  Step2(d, e, a, b, c, w[0]);
  Step2(c, d, e, a, b, w[1]);
  Step2(b, c, d, e, a, w[2]);
  Step2(a, b, c, d, e, w[3]);
  Step2(e, a, b, c, d, w[4]);
  Step2(d, e, a, b, c, w[5]);
  Step2(c, d, e, a, b, w[6]);
  Step2(b, c, d, e, a, w[7]);
  Step3(a, b, c, d, e, w[8]);
  Step3(e, a, b, c, d, w[9]);
  Step3(d, e, a, b, c, w[10]);
  Step3(c, d, e, a, b, w[11]);
  Step3(b, c, d, e, a, w[12]);
  Step3(a, b, c, d, e, w[13]);
  Step3(e, a, b, c, d, w[14]);
  Step3(d, e, a, b, c, w[15]);
  NextSchedule(w);
  Step3(c, d, e, a, b, w[0]);
  Step3(b, c, d, e, a, w[1]);
  Step3(a, b, c, d, e, w[2]);
  Step3(e, a, b, c, d, w[3]);
  Step3(d, e, a, b, c, w[4]);
  Step3(c, d, e, a, b, w[5]);
  Step3(b, c, d, e, a, w[6]);
  Step3(a, b, c, d, e, w[7]);
  Step3(e, a, b, c, d, w[8]);
  Step3(d, e, a, b, c, w[9]);
  Step3(c, d, e, a, b, w[10]);
  Step3(b, c, d, e, a, w[11]);
  Step4(a, b, c, d, e, w[12]);
  Step4(e, a, b, c, d, w[13]);
  Step4(d, e, a, b, c, w[14]);
  Step4(c, d, e, a, b, w[15]);
  NextSchedule(w);
  Step4(b, c, d, e, a, w[0]);
  Step4(a, b, c, d, e, w[1]);
  Step4(e, a, b, c, d, w[2]);
  Step4(d, e, a, b, c, w[3]);
  Step4(c, d, e, a, b, w[4]);
  Step4(b, c, d, e, a, w[5]);
  Step4(a, b, c, d, e, w[6]);
  Step4(e, a, b, c, d, w[7]);
  Step4(d, e, a, b, c, w[8]);
  Step4(c, d, e, a, b, w[9]);
  Step4(b, c, d, e, a, w[10]);
  Step4(a, b, c, d, e, w[11]);
  Step4(e, a, b, c, d, w[12]);
  Step4(d, e, a, b, c, w[13]);
  Step4(c, d, e, a, b, w[14]);
  Step4(b, c, d, e, a, w[15]);
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
  state[4] += e;
}

void LoadBlock(Schedule &w, const std::uint8_t *block) {
  for (std::size_t i = 0; i < 16; ++i)
    w[i] = LoadBigEndian(block + 4 * i);
}

} // namespace

void Sha1Process(std::span<const std::uint8_t> message,
                 std::span<std::uint8_t, kSha1DigestSize> digest) noexcept {
  State state = kInitialState;
  Schedule w;
  const std::size_t wholeBlocks = message.size() / 64;
  for (std::size_t i = 0; i < wholeBlocks; ++i) {
    LoadBlock(w, message.data() + 64 * i);
    Compress(state, w);
  }

  // The tail, the 0x80 marker and the bit length: one block when the length
  // still fits behind the marker, two when it does not.
  std::array<std::uint8_t, 128> tail{};
  const std::size_t rest = message.size() % 64;
  if (rest != 0)
    std::memcpy(tail.data(), message.data() + 64 * wholeBlocks, rest);
  tail[rest] = 0x80;
  const std::size_t tailSize = rest < 56 ? 64 : 128;
  const std::uint64_t bitLength = static_cast<std::uint64_t>(message.size()) * 8;
  StoreBigEndian(tail.data() + tailSize - 8, static_cast<std::uint32_t>(bitLength >> 32));
  StoreBigEndian(tail.data() + tailSize - 4, static_cast<std::uint32_t>(bitLength));
  for (std::size_t offset = 0; offset < tailSize; offset += 64) {
    LoadBlock(w, tail.data() + offset);
    Compress(state, w);
  }

  for (std::size_t i = 0; i < state.size(); ++i)
    StoreBigEndian(digest.data() + 4 * i, state[i]);
  SecureWipe(tail);
  WipeWords(w);
  WipeWords(state);
}

ByteString CipherEngine::Sha1Digest(ByteSpan data) {
  // The contract: empty data gives an empty result, not the digest of the
  // empty message.
  if (data.empty())
    return {};
  std::optional<ByteString> result = ByteString::Allocate(heap(), kSha1DigestSize);
  if (!result)
    return {};
  Sha1Process(data, result->mutable_bytes().first<kSha1DigestSize>());
  return std::move(*result);
}

} // namespace filecrypter
