//===- cipher/aes_block.cpp - Table formulation of the AES rounds ---------===//

#include "cipher/aes_block.h"

#include "cipher/byte_order.h"

#include "cipher/aes_routines.h"
#include "cipher/aes_tables.h"

namespace filecrypter {
namespace {

inline std::uint8_t Byte(std::uint32_t w, int index) { // index 0 = most significant
  return static_cast<std::uint8_t>(w >> (24 - 8 * index));
}

} // namespace

void AesEncryptBlock(std::uint8_t out[16], const std::uint8_t in[16], const AesContext &context,
                     std::uint32_t rounds) noexcept {
  const AesTables &t = kAesTables;
  const std::uint32_t *rk = context.encryptSchedule;
  std::uint32_t s0 = LoadBigEndian(in) ^ rk[0];
  std::uint32_t s1 = LoadBigEndian(in + 4) ^ rk[1];
  std::uint32_t s2 = LoadBigEndian(in + 8) ^ rk[2];
  std::uint32_t s3 = LoadBigEndian(in + 12) ^ rk[3];
  for (std::uint32_t r = 1; r < rounds; ++r) {
    rk += 4;
    const std::uint32_t t0 = t.te0[Byte(s0, 0)] ^ t.te1[Byte(s1, 1)] ^ t.te2[Byte(s2, 2)] ^ t.te3[Byte(s3, 3)] ^ rk[0];
    const std::uint32_t t1 = t.te0[Byte(s1, 0)] ^ t.te1[Byte(s2, 1)] ^ t.te2[Byte(s3, 2)] ^ t.te3[Byte(s0, 3)] ^ rk[1];
    const std::uint32_t t2 = t.te0[Byte(s2, 0)] ^ t.te1[Byte(s3, 1)] ^ t.te2[Byte(s0, 2)] ^ t.te3[Byte(s1, 3)] ^ rk[2];
    const std::uint32_t t3 = t.te0[Byte(s3, 0)] ^ t.te1[Byte(s0, 1)] ^ t.te2[Byte(s1, 2)] ^ t.te3[Byte(s2, 3)] ^ rk[3];
    s0 = t0;
    s1 = t1;
    s2 = t2;
    s3 = t3;
  }
  rk += 4;
  auto last = [&](std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t key) {
    return (t.te4[Byte(a, 0)] & 0xFF000000u) ^ (t.te4[Byte(b, 1)] & 0x00FF0000u) ^
           (t.te4[Byte(c, 2)] & 0x0000FF00u) ^ (t.te4[Byte(d, 3)] & 0x000000FFu) ^ key;
  };
  StoreBigEndian(out, last(s0, s1, s2, s3, rk[0]));
  StoreBigEndian(out + 4, last(s1, s2, s3, s0, rk[1]));
  StoreBigEndian(out + 8, last(s2, s3, s0, s1, rk[2]));
  StoreBigEndian(out + 12, last(s3, s0, s1, s2, rk[3]));
}

void AesDecryptBlock(std::uint8_t out[16], const std::uint8_t in[16], const AesContext &context,
                     std::uint32_t rounds) noexcept {
  const AesTables &t = kAesTables;
  const std::uint32_t *rk = context.decryptSchedule;
  std::uint32_t s0 = LoadBigEndian(in) ^ rk[0];
  std::uint32_t s1 = LoadBigEndian(in + 4) ^ rk[1];
  std::uint32_t s2 = LoadBigEndian(in + 8) ^ rk[2];
  std::uint32_t s3 = LoadBigEndian(in + 12) ^ rk[3];
  for (std::uint32_t r = 1; r < rounds; ++r) {
    rk += 4;
    const std::uint32_t t0 = t.td0[Byte(s0, 0)] ^ t.td1[Byte(s3, 1)] ^ t.td2[Byte(s2, 2)] ^ t.td3[Byte(s1, 3)] ^ rk[0];
    const std::uint32_t t1 = t.td0[Byte(s1, 0)] ^ t.td1[Byte(s0, 1)] ^ t.td2[Byte(s3, 2)] ^ t.td3[Byte(s2, 3)] ^ rk[1];
    const std::uint32_t t2 = t.td0[Byte(s2, 0)] ^ t.td1[Byte(s1, 1)] ^ t.td2[Byte(s0, 2)] ^ t.td3[Byte(s3, 3)] ^ rk[2];
    const std::uint32_t t3 = t.td0[Byte(s3, 0)] ^ t.td1[Byte(s2, 1)] ^ t.td2[Byte(s1, 2)] ^ t.td3[Byte(s0, 3)] ^ rk[3];
    s0 = t0;
    s1 = t1;
    s2 = t2;
    s3 = t3;
  }
  rk += 4;
  auto last = [&](std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t key) {
    return (t.td4[Byte(a, 0)] & 0xFF000000u) ^ (t.td4[Byte(b, 1)] & 0x00FF0000u) ^
           (t.td4[Byte(c, 2)] & 0x0000FF00u) ^ (t.td4[Byte(d, 3)] & 0x000000FFu) ^ key;
  };
  StoreBigEndian(out, last(s0, s3, s2, s1, rk[0]));
  StoreBigEndian(out + 4, last(s1, s0, s3, s2, rk[1]));
  StoreBigEndian(out + 8, last(s2, s1, s0, s3, rk[2]));
  StoreBigEndian(out + 12, last(s3, s2, s1, s0, rk[3]));
}

void AesEncryptBlocksTable(const AesContext &context, std::uint32_t rounds, const std::uint8_t *in,
                           std::uint8_t *out, std::size_t blocks) noexcept {
  for (std::size_t i = 0; i < blocks; ++i)
    AesEncryptBlock(out + i * kAesBlockSize, in + i * kAesBlockSize, context, rounds);
}

void AesDecryptBlocksTable(const AesContext &context, std::uint32_t rounds, const std::uint8_t *in,
                           std::uint8_t *out, std::size_t blocks) noexcept {
  for (std::size_t i = 0; i < blocks; ++i)
    AesDecryptBlock(out + i * kAesBlockSize, in + i * kAesBlockSize, context, rounds);
}

} // namespace filecrypter
