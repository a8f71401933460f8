//===- cipher/des/des_block.cpp - DES key schedule and block function -----===//

#include "cipher/des/des_block.h"

#include "cipher/byte_order.h"

#include <cassert>

namespace filecrypter {
namespace {

constexpr std::uint32_t Rotate28(std::uint32_t x, unsigned s) {
  return ((x << s) | (x >> (28 - s))) & 0x0FFFFFFFu;
}

// Four 6-bit groups of a 24-bit half, visited from its least significant
// end, through four consecutive S-boxes.  Each result enters at the top
// nibble, so the first S-box's output ends in the lowest one.
std::uint32_t SubstituteHalf(std::uint32_t half, const DesSbox *sboxes) {
  std::uint32_t gathered = 0;
  for (unsigned i = 0; i < 4; ++i) {
    gathered = (gathered >> 4) | (std::uint32_t{SboxLookup(sboxes[i], half & 0x3F)} << 12);
    half >>= 6;
  }
  return gathered;
}

// The round function f.  R goes into the expansion low half first, which
// yields expansion bits 25-48 first: the order of the subkey's words.
std::uint32_t Feistel(std::uint32_t r, const DesSubkey &subkey) {
  const DesTables &t = kDesTables;
  const BitHalves x = PermuteBits(t.expansion, r & 0xFFFF, r >> 16, 16, 24);
  const std::uint32_t u1 = x.first ^ subkey.bits25To48; // inputs of S5-S8
  const std::uint32_t u2 = x.second ^ subkey.bits1To24; // inputs of S1-S4
  const std::uint32_t t2 = SubstituteHalf(u2, &t.sboxes[0]);
  const std::uint32_t t1 = SubstituteHalf(u1, &t.sboxes[4]);
  const BitHalves p = PermuteBits(t.permutation, t2, t1, 16, 16);
  return (p.first << 16) | p.second;
}

inline BitHalves LoadBlock(std::span<const std::uint8_t, kDesBlockSize> block) {
  return {LoadBigEndian(block.data()), LoadBigEndian(block.data() + 4)};
}

inline void StoreBlock(std::span<std::uint8_t, kDesBlockSize> block, BitHalves value) {
  StoreBigEndian(block.data(), value.first);
  StoreBigEndian(block.data() + 4, value.second);
}

} // namespace

BitHalves PermuteBits(std::span<const std::uint8_t> table, std::uint32_t first,
                      std::uint32_t second, unsigned w, unsigned n) noexcept {
  assert(w <= 32 && n <= 32 && table.size() >= 2 * n);
  std::uint64_t out = 0;
  for (unsigned k = 0; k < 2 * n; ++k) {
    const unsigned p = table[k];
    assert(p >= 1 && p <= 2 * w);
    const std::uint32_t bit = p <= w ? first >> (w - p) : second >> (2 * w - p);
    out = (out << 1) | (bit & 1);
  }
  const std::uint64_t mask = (std::uint64_t{1} << n) - 1;
  return {static_cast<std::uint32_t>(out >> n), static_cast<std::uint32_t>(out & mask)};
}

BitHalves ScatterBits(std::span<const std::uint8_t, 64> table, std::uint32_t first,
                      std::uint32_t second) noexcept {
  const std::uint64_t in = (std::uint64_t{first} << 32) | second;
  std::uint64_t out = 0;
  for (unsigned k = 0; k < 64; ++k) {
    assert(table[k] >= 1 && table[k] <= 64);
    if ((in >> (63 - k)) & 1)
      out |= std::uint64_t{1} << (64 - table[k]);
  }
  return {static_cast<std::uint32_t>(out >> 32), static_cast<std::uint32_t>(out)};
}

std::uint8_t SboxLookup(const DesSbox &sbox, std::uint32_t group) noexcept {
  const std::uint32_t row = ((group >> 4) & 2) | (group & 1);
  const std::uint32_t column = (group >> 1) & 0x0F;
  return sbox[row * 16 + column];
}

void DesKeySchedule(std::span<const std::uint8_t, kDesKeySize> key, DesSubkeys &subkeys) noexcept {
  const DesTables &t = kDesTables;
  const BitHalves k = LoadBlock(key);
  BitHalves cd = PermuteBits(t.permutedChoice1, k.first, k.second, 32, 28);
  for (std::size_t i = 0; i < kDesRounds; ++i) {
    cd.first = Rotate28(cd.first, t.rotations[i]);
    cd.second = Rotate28(cd.second, t.rotations[i]);
    const BitHalves sub = PermuteBits(t.permutedChoice2, cd.first, cd.second, 28, 24);
    subkeys[i] = {sub.second, sub.first};
  }
}

void DesEncryptBlock(std::span<const std::uint8_t, kDesBlockSize> in,
                     std::span<std::uint8_t, kDesBlockSize> out, const DesSubkeys &subkeys) noexcept {
  const DesTables &t = kDesTables;
  const BitHalves b = LoadBlock(in);
  BitHalves lr = PermuteBits(t.initialPermutation, b.first, b.second, 32, 32);
  for (const DesSubkey &subkey : subkeys)
    lr = {lr.second, lr.first ^ Feistel(lr.second, subkey)};
  // The last round's halves go out swapped.
  StoreBlock(out, PermuteBits(t.finalPermutation, lr.second, lr.first, 32, 32));
}

void DesDecryptBlock(std::span<const std::uint8_t, kDesBlockSize> in,
                     std::span<std::uint8_t, kDesBlockSize> out, const DesSubkeys &subkeys) noexcept {
  // Scattering through the same tables that encryption gathers with undoes
  // them exactly, so no separate inverse tables are needed.
  const DesTables &t = kDesTables;
  const BitHalves b = LoadBlock(in);
  BitHalves xy = ScatterBits(t.finalPermutation, b.first, b.second);
  for (std::size_t i = kDesRounds; i-- > 0;)
    xy = {xy.second, xy.first ^ Feistel(xy.second, subkeys[i])};
  StoreBlock(out, ScatterBits(t.initialPermutation, xy.second, xy.first));
}

} // namespace filecrypter
