//===- cipher/aes_routines.h - Each formulation's block routines -*- C++ -*-===//
//
// The run-of-blocks routines of every formulation this build holds.  They
// share the contract of AesEncryptBlocks and AesDecryptBlocks (aes_block.h):
// whole blocks, `in` may equal `out`, the schedules of an AesContext.  Only
// the dispatch and the tests call them by name; the hardware ones must run
// only on a processor that has the instructions they use.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_CIPHER_AES_ROUTINES_H
#define FILECRYPTER_CIPHER_AES_ROUTINES_H

#include "cipher/aes_context.h"

#include <cstddef>
#include <cstdint>

namespace filecrypter {

// The lookup tables: every processor.
void AesEncryptBlocksTable(const AesContext &context, std::uint32_t rounds, const std::uint8_t *in,
                           std::uint8_t *out, std::size_t blocks) noexcept;
void AesDecryptBlocksTable(const AesContext &context, std::uint32_t rounds, const std::uint8_t *in,
                           std::uint8_t *out, std::size_t blocks) noexcept;

#if FC_AES_HARDWARE
// AES-NI on 128-bit registers, one block per instruction.
void AesEncryptBlocksAesNi(const AesContext &context, std::uint32_t rounds, const std::uint8_t *in,
                           std::uint8_t *out, std::size_t blocks) noexcept;
void AesDecryptBlocksAesNi(const AesContext &context, std::uint32_t rounds, const std::uint8_t *in,
                           std::uint8_t *out, std::size_t blocks) noexcept;

// VAES on 512-bit registers (AVX-512F), four blocks per instruction.
void AesEncryptBlocksVaes512(const AesContext &context, std::uint32_t rounds, const std::uint8_t *in,
                             std::uint8_t *out, std::size_t blocks) noexcept;
void AesDecryptBlocksVaes512(const AesContext &context, std::uint32_t rounds, const std::uint8_t *in,
                             std::uint8_t *out, std::size_t blocks) noexcept;
#endif

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_AES_ROUTINES_H
