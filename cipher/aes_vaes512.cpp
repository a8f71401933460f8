//===- cipher/aes_vaes512.cpp - AES block routines on VAES, 512 bits ------===//
//
// VAESENC on a 512-bit register runs one round on four blocks at once.
// Eight registers (32 blocks) are kept in flight to cover the instruction's
// latency; the tail goes four blocks at a time, and its last one to three
// blocks through masked loads and stores, so nothing outside the run is
// read or written.  Only these functions carry the AVX-512 and VAES targets;
// the dispatch calls them only when the processor and the system support
// both.
//
//===----------------------------------------------------------------------===//

#include "cipher/aes_round_keys.h"
#include "cipher/aes_routines.h"

#include <immintrin.h>

#define FC_TARGET_VAES512 __attribute__((target("aes,avx512f,vaes")))

namespace filecrypter {
namespace {

constexpr std::size_t kBlocksPerVector = 4;
constexpr std::size_t kVectors = 8;

// A mask of the 64-bit elements of the first `blocks` blocks of a vector.
constexpr __mmask8 BlockMask(std::size_t blocks) { return static_cast<__mmask8>((1u << (2 * blocks)) - 1); }

template <std::uint32_t Rounds, bool Decrypt>
FC_TARGET_VAES512 inline __m512i Cipher(__m512i b, const __m512i *key) {
  b = _mm512_xor_si512(b, key[0]);
  for (std::uint32_t r = 1; r < Rounds; ++r)
    b = Decrypt ? _mm512_aesdec_epi128(b, key[r]) : _mm512_aesenc_epi128(b, key[r]);
  return Decrypt ? _mm512_aesdeclast_epi128(b, key[Rounds]) : _mm512_aesenclast_epi128(b, key[Rounds]);
}

// Every vector of a group is loaded before any is stored, so `in` may equal
// `out`.
template <std::uint32_t Rounds, bool Decrypt>
FC_TARGET_VAES512 void Run(const __m512i *key, const std::uint8_t *in, std::uint8_t *out, std::size_t blocks) {
  constexpr std::size_t kGroup = kVectors * kBlocksPerVector;
  std::size_t i = 0;
  for (; i + kGroup <= blocks; i += kGroup) {
    __m512i b[kVectors];
    for (std::size_t v = 0; v < kVectors; ++v)
      b[v] = _mm512_xor_si512(_mm512_loadu_si512(in + 16 * (i + kBlocksPerVector * v)), key[0]);
    for (std::uint32_t r = 1; r < Rounds; ++r)
      for (std::size_t v = 0; v < kVectors; ++v)
        b[v] = Decrypt ? _mm512_aesdec_epi128(b[v], key[r]) : _mm512_aesenc_epi128(b[v], key[r]);
    for (std::size_t v = 0; v < kVectors; ++v)
      _mm512_storeu_si512(out + 16 * (i + kBlocksPerVector * v),
                          Decrypt ? _mm512_aesdeclast_epi128(b[v], key[Rounds])
                                  : _mm512_aesenclast_epi128(b[v], key[Rounds]));
  }
  for (; i + kBlocksPerVector <= blocks; i += kBlocksPerVector)
    _mm512_storeu_si512(out + 16 * i, Cipher<Rounds, Decrypt>(_mm512_loadu_si512(in + 16 * i), key));
  if (const std::size_t rest = blocks - i; rest != 0) {
    const __mmask8 mask = BlockMask(rest);
    const __m512i b = _mm512_maskz_loadu_epi64(mask, in + 16 * i);
    _mm512_mask_storeu_epi64(out + 16 * i, mask, Cipher<Rounds, Decrypt>(b, key));
  }
}

template <bool Decrypt>
FC_TARGET_VAES512 void RunWithSchedule(const std::uint32_t *schedule, std::uint32_t rounds, const std::uint8_t *in,
                                       std::uint8_t *out, std::size_t blocks) {
  __m512i key[kAesMaxRoundKeys];
  for (std::uint32_t r = 0; r <= rounds; ++r) {
    const std::array<int, 4> k = AesRoundKeyLanes(schedule, r);
    key[r] = _mm512_set4_epi32(k[3], k[2], k[1], k[0]);
  }
  switch (rounds) {
  case 10: Run<10, Decrypt>(key, in, out, blocks); break;
  case 12: Run<12, Decrypt>(key, in, out, blocks); break;
  case 14: Run<14, Decrypt>(key, in, out, blocks); break;
  default: break;
  }
  WipeRoundKeys(key);
}

} // namespace

void AesEncryptBlocksVaes512(const AesContext &context, std::uint32_t rounds, const std::uint8_t *in,
                             std::uint8_t *out, std::size_t blocks) noexcept {
  RunWithSchedule<false>(context.encryptSchedule, rounds, in, out, blocks);
}

void AesDecryptBlocksVaes512(const AesContext &context, std::uint32_t rounds, const std::uint8_t *in,
                             std::uint8_t *out, std::size_t blocks) noexcept {
  RunWithSchedule<true>(context.decryptSchedule, rounds, in, out, blocks);
}

} // namespace filecrypter
