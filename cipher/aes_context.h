//===- cipher/aes_context.h - AES key schedules in the context --*- C++ -*-===//
#ifndef FILECRYPTER_CIPHER_AES_CONTEXT_H
#define FILECRYPTER_CIPHER_AES_CONTEXT_H

#include <cstddef>
#include <cstdint>

namespace filecrypter {

// The working buffer of an AES call, held in the engine's context field.
// Its room serves every key length, so a held context can take any AES key.
struct AesContext {
  std::uint8_t rawKey[32];
  std::uint32_t encryptSchedule[60]; // 4 × (rounds + 1) words used
  std::uint32_t decryptSchedule[60]; // round keys reversed, InvMixColumn'd
};

// Bytes reserved for a new context for a key of `keyLength` bytes: room for
// the key and both schedules at their largest.
constexpr std::size_t AesContextReserve(std::size_t keyLength) { return 496 + 2 * keyLength; }

static_assert(sizeof(AesContext) <= AesContextReserve(16));

// Rounds for a key of 16, 24 or 32 bytes; 0 for any other length.
constexpr std::uint32_t AesRoundsForKeyLength(std::int32_t keyLength) {
  switch (keyLength) {
  case 16: return 10;
  case 24: return 12;
  case 32: return 14;
  default: return 0;
  }
}

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_AES_CONTEXT_H
