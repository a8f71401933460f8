//===- cipher/aes_block.h - AES block routines ------------------*- C++ -*-===//
//
// The AES block cipher over a schedule held in an AesContext.  The routines
// take runs of whole 16-byte blocks so that callers hand over as much work
// as they have at once.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_CIPHER_AES_BLOCK_H
#define FILECRYPTER_CIPHER_AES_BLOCK_H

#include "cipher/aes_context.h"

#include <cstddef>
#include <cstdint>

namespace filecrypter {

inline constexpr std::size_t kAesBlockSize = 16;

// Encrypts `blocks` blocks from `in` to `out` (which may be the same) with
// the encryption schedule of `context` and `rounds` rounds (10, 12 or 14),
// on the processor's AES instructions when it has them (aes_impl.h).
void AesEncryptBlocks(const AesContext &context, std::uint32_t rounds, const std::uint8_t *in,
                      std::uint8_t *out, std::size_t blocks) noexcept;

// The inverse, with the decryption schedule.
void AesDecryptBlocks(const AesContext &context, std::uint32_t rounds, const std::uint8_t *in,
                      std::uint8_t *out, std::size_t blocks) noexcept;

// One block each, on the lookup tables (the reference formulation).
void AesEncryptBlock(std::uint8_t out[16], const std::uint8_t in[16], const AesContext &context,
                     std::uint32_t rounds) noexcept;
void AesDecryptBlock(std::uint8_t out[16], const std::uint8_t in[16], const AesContext &context,
                     std::uint32_t rounds) noexcept;

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_AES_BLOCK_H
