//===- cipher/aes_impl.h - Choosing the AES block routines ------*- C++ -*-===//
//
// The AES block routines exist in several formulations: the lookup tables,
// which run on every processor, and the processor's AES instructions (AES-NI
// one block per instruction, VAES four).  All of them compute the same
// blocks from the same AesContext.  AesEncryptBlocks and AesDecryptBlocks
// (aes_block.h) use one of them, chosen once per process: the fastest this
// processor supports, or the one named by the environment variable
// FILECRYPTER_AES_IMPL when the processor supports it ("table" always is).
// Building with FC_AES_HARDWARE=OFF leaves only the tables.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_CIPHER_AES_IMPL_H
#define FILECRYPTER_CIPHER_AES_IMPL_H

#include "cipher/aes_context.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace filecrypter {

inline constexpr const char *kAesImplEnvironmentVariable = "FILECRYPTER_AES_IMPL";

// The contract of AesEncryptBlocks and AesDecryptBlocks.
using AesBlocksRoutine = void (*)(const AesContext &context, std::uint32_t rounds, const std::uint8_t *in,
                                  std::uint8_t *out, std::size_t blocks) noexcept;

struct AesImplementation {
  std::string_view name; // "table", "aesni" or "vaes512"
  AesBlocksRoutine encrypt;
  AesBlocksRoutine decrypt;
};

// The formulations this build holds and this processor can run, slowest
// first: the tables always come first and the fastest comes last.
std::span<const AesImplementation> AesSupportedImplementations() noexcept;

// The formulation AesEncryptBlocks and AesDecryptBlocks use.
const AesImplementation &AesActiveImplementation() noexcept;

inline std::string_view AesImplementationName() noexcept { return AesActiveImplementation().name; }

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_AES_IMPL_H
