//===- cipher/des/des_block.h - DES key schedule and blocks ----*- C++ -*-===//
//
// DES computed bit by bit from the byte tables of des_tables.h, with no
// combined lookup tables.  A 64-bit block or key is handled as two 32-bit
// halves: the first holds bits 1-32 (bytes 0-3, most significant first), the
// second bits 33-64.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_CIPHER_DES_DES_BLOCK_H
#define FILECRYPTER_CIPHER_DES_DES_BLOCK_H

#include "cipher/des/des_tables.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace filecrypter {

inline constexpr std::size_t kDesBlockSize = 8;
inline constexpr std::size_t kDesKeySize = 8;
inline constexpr std::size_t kDesRounds = 16;

// A value split into two halves, each in the low bits of its word.
struct BitHalves {
  std::uint32_t first;
  std::uint32_t second;
  friend bool operator==(const BitHalves &, const BitHalves &) = default;
};

// One round's 48-bit subkey as two 24-bit values.  Bits 25-48 come first so
// that each word meets the half of the expansion that holds the same bits.
struct DesSubkey {
  std::uint32_t bits25To48;
  std::uint32_t bits1To24;
  friend bool operator==(const DesSubkey &, const DesSubkey &) = default;
};

using DesSubkeys = std::array<DesSubkey, kDesRounds>;
static_assert(sizeof(DesSubkeys) == 128);

// Gathers 2n output bits from a 2w-bit input given as two w-bit halves:
// output bit k (from the top) is the input bit at the position named by
// table entry k.  `table` has at least 2n entries; w and n are at most 32.
BitHalves PermuteBits(std::span<const std::uint8_t> table, std::uint32_t first,
                      std::uint32_t second, unsigned w, unsigned n) noexcept;

// The inverse form of PermuteBits over 64 bits: input bit k is sent to the
// output position named by table entry k.  For a permutation table this
// undoes PermuteBits with the same table, so with IP⁻¹ it applies IP.
BitHalves ScatterBits(std::span<const std::uint8_t, 64> table, std::uint32_t first,
                      std::uint32_t second) noexcept;

// The 4-bit value of `sbox` for a 6-bit group: the outer bits choose the row,
// the inner four the column.
std::uint8_t SboxLookup(const DesSbox &sbox, std::uint32_t group) noexcept;

// The sixteen subkeys of an 8-byte key.  The low bit of every key byte is a
// parity bit: it is neither checked nor used.
void DesKeySchedule(std::span<const std::uint8_t, kDesKeySize> key, DesSubkeys &subkeys) noexcept;

// One block each way.  `in` and `out` may be the same bytes.
void DesEncryptBlock(std::span<const std::uint8_t, kDesBlockSize> in,
                     std::span<std::uint8_t, kDesBlockSize> out, const DesSubkeys &subkeys) noexcept;
void DesDecryptBlock(std::span<const std::uint8_t, kDesBlockSize> in,
                     std::span<std::uint8_t, kDesBlockSize> out, const DesSubkeys &subkeys) noexcept;

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_DES_DES_BLOCK_H
