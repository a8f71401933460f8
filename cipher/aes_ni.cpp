//===- cipher/aes_ni.cpp - AES block routines on AES-NI -------------------===//
//
// One AESENC per block and round.  The instruction's latency is several
// cycles while a new one can start every cycle, so eight independent blocks
// are kept in flight; a shorter tail goes one block at a time.  Only these
// functions carry the "aes" target: the rest of the library stays baseline
// x86-64, and the dispatch calls them only when the processor has AES-NI.
//
//===----------------------------------------------------------------------===//

#include "cipher/aes_round_keys.h"
#include "cipher/aes_routines.h"

#include <immintrin.h>

#define FC_TARGET_AESNI __attribute__((target("aes")))

namespace filecrypter {
namespace {

constexpr std::size_t kLanes = 8;

inline __m128i Load(const std::uint8_t *p) { return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p)); }
inline void Store(std::uint8_t *p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i *>(p), v); }

// Runs the rounds over `blocks` blocks.  Every lane is loaded before any is
// stored, so `in` may equal `out`.
template <std::uint32_t Rounds, bool Decrypt>
FC_TARGET_AESNI void Run(const __m128i *key, const std::uint8_t *in, std::uint8_t *out, std::size_t blocks) {
  auto round = [](__m128i b, __m128i k) FC_TARGET_AESNI {
    return Decrypt ? _mm_aesdec_si128(b, k) : _mm_aesenc_si128(b, k);
  };
  auto lastRound = [](__m128i b, __m128i k) FC_TARGET_AESNI {
    return Decrypt ? _mm_aesdeclast_si128(b, k) : _mm_aesenclast_si128(b, k);
  };
  std::size_t i = 0;
  for (; i + kLanes <= blocks; i += kLanes) {
    __m128i b[kLanes];
    for (std::size_t l = 0; l < kLanes; ++l)
      b[l] = _mm_xor_si128(Load(in + 16 * (i + l)), key[0]);
    for (std::uint32_t r = 1; r < Rounds; ++r)
      for (std::size_t l = 0; l < kLanes; ++l)
        b[l] = round(b[l], key[r]);
    for (std::size_t l = 0; l < kLanes; ++l)
      Store(out + 16 * (i + l), lastRound(b[l], key[Rounds]));
  }
  for (; i < blocks; ++i) {
    __m128i b = _mm_xor_si128(Load(in + 16 * i), key[0]);
    for (std::uint32_t r = 1; r < Rounds; ++r)
      b = round(b, key[r]);
    Store(out + 16 * i, lastRound(b, key[Rounds]));
  }
}

template <bool Decrypt>
FC_TARGET_AESNI void RunWithSchedule(const std::uint32_t *schedule, std::uint32_t rounds, const std::uint8_t *in,
                                     std::uint8_t *out, std::size_t blocks) {
  __m128i key[kAesMaxRoundKeys];
  for (std::uint32_t r = 0; r <= rounds; ++r) {
    const std::array<int, 4> k = AesRoundKeyLanes(schedule, r);
    key[r] = _mm_set_epi32(k[3], k[2], k[1], k[0]);
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

void AesEncryptBlocksAesNi(const AesContext &context, std::uint32_t rounds, const std::uint8_t *in,
                           std::uint8_t *out, std::size_t blocks) noexcept {
  RunWithSchedule<false>(context.encryptSchedule, rounds, in, out, blocks);
}

// The decryption schedule is already the equivalent inverse cipher's, the
// layout AESDEC expects: round keys reversed, the inner ones InvMixColumn'd.
void AesDecryptBlocksAesNi(const AesContext &context, std::uint32_t rounds, const std::uint8_t *in,
                           std::uint8_t *out, std::size_t blocks) noexcept {
  RunWithSchedule<true>(context.decryptSchedule, rounds, in, out, blocks);
}

} // namespace filecrypter
