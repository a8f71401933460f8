//===- cipher/aes_round_keys.h - Schedules for the AES instructions -*- C++ -*-===//
//
// The AES instructions take a round key as its sixteen bytes in order, while
// an AesContext keeps each schedule word with its first byte most
// significant.  Converting costs a byte swap per word, done once per run.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_CIPHER_AES_ROUND_KEYS_H
#define FILECRYPTER_CIPHER_AES_ROUND_KEYS_H

#include "cipher/aes_context.h"
#include "cipher/secure_wipe.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace filecrypter {

// The most round keys a schedule has: 15 for a 14-round key.
inline constexpr std::uint32_t kAesMaxRoundKeys = 15;

// Round key `index` of `schedule` as four 32-bit lanes, lowest first, whose
// bytes in memory order are the key's bytes in the order the instructions
// read them.
inline std::array<int, 4> AesRoundKeyLanes(const std::uint32_t *schedule, std::uint32_t index) noexcept {
  const std::uint32_t *w = schedule + 4 * index;
  return {static_cast<int>(__builtin_bswap32(w[0])), static_cast<int>(__builtin_bswap32(w[1])),
          static_cast<int>(__builtin_bswap32(w[2])), static_cast<int>(__builtin_bswap32(w[3]))};
}

// Clears round keys that a routine copied to its stack.
template <class Vector, std::size_t N> void WipeRoundKeys(Vector (&keys)[N]) noexcept {
  SecureWipe({reinterpret_cast<std::uint8_t *>(keys), sizeof(keys)});
}

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_AES_ROUND_KEYS_H
