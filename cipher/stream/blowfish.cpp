//===- cipher/stream/blowfish.cpp - Blowfish key schedule and key setup ---===//

#include "cipher/stream/blowfish.h"

#include "cipher/engine.h"
#include "cipher/sha1.h"

#include <algorithm>
#include <cstring>

namespace filecrypter {

void BlowfishExpandKey(std::span<const std::uint8_t> key, BlowfishContext &context) noexcept {
  static constexpr std::uint8_t kZeroByte = 0;
  if (key.empty())
    key = {&kZeroByte, 1};
  key = key.first(std::min(key.size(), kBlowfishMaxKeySize));

  std::memcpy(context.s, kBlowfishInitTable.data(), sizeof(context.s));
  std::memcpy(context.initialP, kBlowfishInitTable.data() + kBlowfishSBoxWords,
              sizeof(context.initialP));

  // The key's bytes, cyclically, as big-endian words over the P-array.
  for (std::size_t i = 0, k = 0; i < kBlowfishPWords; ++i) {
    std::uint32_t word = 0;
    for (int n = 0; n < 4; ++n, k = (k + 1) % key.size())
      word = (word << 8) | key[k];
    context.p[i] = context.initialP[i] ^ word;
  }

  // Each encryption's output replaces the next two entries, P first, then
  // the S-boxes in order; every encryption sees the entries replaced so far.
  BlowfishBlock block;
  for (std::size_t i = 0; i < kBlowfishPWords; i += 2) {
    block = BlowfishEncryptBlock(context, block);
    context.p[i] = block.left;
    context.p[i + 1] = block.right;
  }
  for (auto &box : context.s) {
    for (std::size_t i = 0; i < 256; i += 2) {
      block = BlowfishEncryptBlock(context, block);
      box[i] = block.left;
      box[i + 1] = block.right;
    }
  }
}

// The schedule comes from the key's digest, never from the key itself; the
// key size is part of the operation's signature but plays no part.
void CipherEngine::BlowfishSetKey(ByteSpan key, std::int32_t /*keySize*/) {
  const ByteString digest = Sha1Digest(key);
  if (digest.size() != kSha1DigestSize) {
    // No digest (empty key, or no memory): leave no schedule behind that a
    // stream could mistake for this key's.
    ReleaseContext();
    return;
  }
  // A held context of another cipher may be too small; AcquireContext then
  // trades it for one of this layout's size.
  if (AcquireContext(sizeof(BlowfishContext), kBlowfishContextReserve) == nullptr)
    return;
  BlowfishContext &context = *MutableContextAs<BlowfishContext>();
  BlowfishExpandKey(digest.bytes(), context);
  context.feedback = {};
}

} // namespace filecrypter
