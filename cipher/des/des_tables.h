//===- cipher/des/des_tables.h - Constant tables of DES ---------*- C++ -*-===//
//
// The tables of the Data Encryption Standard in one constant block.  Every
// permutation entry is a 1-based bit position, position 1 being the most
// significant bit of the permutation's input.  The S-boxes are stored in
// the order in which the round function visits the 6-bit groups (from the
// least significant end of each half): S4, S3, S2, S1, S8, S7, S6, S5.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_CIPHER_DES_DES_TABLES_H
#define FILECRYPTER_CIPHER_DES_DES_TABLES_H

#include <array>
#include <cstddef>
#include <cstdint>

namespace filecrypter {

// One S-box: 4 rows of 16 columns, row r and column c at r × 16 + c.
using DesSbox = std::array<std::uint8_t, 64>;

struct DesTables {
  std::array<std::uint8_t, 64> initialPermutation; // IP
  std::array<std::uint8_t, 48> expansion;          // E
  std::array<std::uint8_t, 64> finalPermutation;   // IP⁻¹
  std::array<std::uint8_t, 56> permutedChoice1;    // PC-1
  std::array<std::uint8_t, 16> rotations;          // left shifts of C and D per round
  std::array<std::uint8_t, 48> permutedChoice2;    // PC-2
  std::array<DesSbox, 8> sboxes;                   // S4, S3, S2, S1, S8, S7, S6, S5
  std::array<std::uint8_t, 32> permutation;        // P
};

// The tables lie back to back with no padding: 840 bytes.
static_assert(sizeof(DesTables) == 840);
static_assert(offsetof(DesTables, sboxes) == 296 && offsetof(DesTables, permutation) == 808);

extern const DesTables kDesTables;

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_DES_DES_TABLES_H
