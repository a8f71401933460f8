//===- cipher/aes.cpp - AES key setup and the container operations --------===//

#include "cipher/aes_block.h"
#include "cipher/aes_container.h"
#include "cipher/aes_context.h"
#include "cipher/aes_tables.h"
#include "cipher/engine.h"
#include "cipher/secure_wipe.h"

#include <algorithm>
#include <cstring>

namespace filecrypter {
namespace {

constexpr std::uint32_t SubWord(std::uint32_t w) {
  const AesTables &t = kAesTables;
  return (t.te4[(w >> 24) & 0xFF] & 0xFF000000u) ^ (t.te4[(w >> 16) & 0xFF] & 0x00FF0000u) ^
         (t.te4[(w >> 8) & 0xFF] & 0x0000FF00u) ^ (t.te4[w & 0xFF] & 0x000000FFu);
}

constexpr std::uint32_t RotWord(std::uint32_t w) { return (w << 8) | (w >> 24); }

// KeyExpansion of the standard: 4 × (rounds + 1) words from the raw key.
void ExpandEncryptSchedule(AesContext &ctx, std::size_t keyLength, std::uint32_t rounds) {
  const std::size_t nk = keyLength / 4;
  const std::size_t total = 4 * (rounds + 1);
  std::uint32_t *w = ctx.encryptSchedule;
  for (std::size_t i = 0; i < nk; ++i) {
    const std::uint8_t *k = ctx.rawKey + 4 * i;
    w[i] = (std::uint32_t{k[0]} << 24) | (std::uint32_t{k[1]} << 16) | (std::uint32_t{k[2]} << 8) | k[3];
  }
  for (std::size_t i = nk; i < total; ++i) {
    std::uint32_t temp = w[i - 1];
    if (i % nk == 0)
      temp = SubWord(RotWord(temp)) ^ kAesTables.rcon[i / nk - 1];
    else if (nk == 8 && i % 8 == 4)
      temp = SubWord(temp);
    w[i] = w[i - nk] ^ temp;
  }
}

// The equivalent inverse cipher's schedule: round keys in reverse order,
// the inner ones taken through InvMixColumns.
void ExpandDecryptSchedule(AesContext &ctx, std::uint32_t rounds) {
  const AesTables &t = kAesTables;
  for (std::uint32_t r = 0; r <= rounds; ++r)
    std::copy_n(ctx.encryptSchedule + 4 * (rounds - r), 4, ctx.decryptSchedule + 4 * r);
  for (std::uint32_t i = 4; i < 4 * rounds; ++i) {
    const std::uint32_t w = ctx.decryptSchedule[i];
    ctx.decryptSchedule[i] = t.td0[t.te4[(w >> 24) & 0xFF] & 0xFF] ^ t.td1[t.te4[(w >> 16) & 0xFF] & 0xFF] ^
                             t.td2[t.te4[(w >> 8) & 0xFF] & 0xFF] ^ t.td3[t.te4[w & 0xFF] & 0xFF];
  }
}

// 16, 24 or 32 for a key size of 128, 192 or 256 bits; 0 otherwise.
constexpr std::int32_t KeyLengthForBits(std::int32_t keyBits) {
  return (keyBits == 128 || keyBits == 192 || keyBits == 256) ? keyBits / 8 : 0;
}

} // namespace

void CipherEngine::AesSetKey(ByteSpan password, std::int32_t keyLength) {
  const std::uint32_t rounds = AesRoundsForKeyLength(keyLength);
  if (rounds == 0)
    return;
  if (AcquireContext(sizeof(AesContext), AesContextReserve(keyLength)) == nullptr)
    return;
  AesContext &ctx = *MutableContextAs<AesContext>();
  const auto k = static_cast<std::size_t>(keyLength);
  std::memset(ctx.rawKey, 0, k);
  std::copy_n(password.begin(), std::min(password.size(), k), ctx.rawKey);
  ExpandEncryptSchedule(ctx, k, rounds);
  ExpandDecryptSchedule(ctx, rounds);
  aesRounds_ = rounds;
}

ByteString CipherEngine::AesEncrypt(ByteSpan data, ByteSpan password, std::int32_t keyBits) {
  const std::size_t length = data.size();
  const std::int32_t keyLength = KeyLengthForBits(keyBits);
  if (length == 0 || keyLength == 0 || length > kMaxContainerPlaintext)
    return {};
  AesSetKey(password, keyLength);
  const AesContext *ctx = ContextAs<AesContext>();
  if (ctx == nullptr)
    return {};

  std::optional<ByteString> result = ByteString::Allocate(*heap_, ContainerSizeFor(length));
  if (!result) {
    ReleaseContext();
    return {};
  }
  std::uint8_t *out = result->data();
  WriteContainerHeader(out, static_cast<std::uint32_t>(length));
  out += kContainerHeaderSize;

  const std::size_t wholeBlocks = length / kAesBlockSize;
  AesEncryptBlocks(*ctx, aesRounds_, data.data(), out, wholeBlocks);
  if (const std::size_t tail = length % kAesBlockSize; tail != 0) {
    std::uint8_t block[kAesBlockSize] = {};
    std::memcpy(block, data.data() + wholeBlocks * kAesBlockSize, tail);
    AesEncryptBlocks(*ctx, aesRounds_, block, out + wholeBlocks * kAesBlockSize, 1);
    SecureWipe(block);
  }
  ReleaseContext();
  return std::move(*result);
}

ByteString CipherEngine::AesDecrypt(ByteSpan container, ByteSpan password, std::int32_t keyBits) {
  const std::int32_t keyLength = KeyLengthForBits(keyBits);
  if (container.empty() || keyLength == 0)
    return {};
  // A container too short for one block, or whose stored length claims
  // bytes its whole blocks do not hold, is refused before any key is made.
  const std::optional<std::uint32_t> length = ReadContainerLength(container, container.size());
  if (!length)
    return {};
  AesSetKey(password, keyLength);
  const AesContext *ctx = ContextAs<AesContext>();
  if (ctx == nullptr)
    return {};

  const std::size_t blocks = (container.size() - kContainerHeaderSize) / kAesBlockSize;
  std::optional<ByteString> result = ByteString::Allocate(*heap_, *length == 0 ? 0 : blocks * kAesBlockSize);
  if (!result) {
    ReleaseContext();
    return {};
  }
  if (*length != 0) {
    AesDecryptBlocks(*ctx, aesRounds_, container.data() + kContainerHeaderSize, result->data(), blocks);
    result->Truncate(*length);
  }
  ReleaseContext();
  return std::move(*result);
}

} // namespace filecrypter
