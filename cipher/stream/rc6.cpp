//===- cipher/stream/rc6.cpp - RC6 key schedule and key setup -------------===//

#include "cipher/stream/rc6.h"

#include "cipher/engine.h"
#include "cipher/sha1.h"
#include "cipher/secure_wipe.h"

#include <algorithm>
#include <array>

namespace filecrypter {
namespace {

constexpr std::uint32_t kP32 = 0xB7E15163; // odd((e - 2) · 2^32)
constexpr std::uint32_t kQ32 = 0x9E3779B9; // odd((φ - 1) · 2^32)

} // namespace

void Rc6ExpandKey(std::span<const std::uint8_t> key, Rc6Schedule &schedule) noexcept {
  key = key.first(std::min(key.size(), kRc6MaxKeySize));

  // The key as c little-endian words, the last one zero-filled; an empty key
  // still counts as one word.
  std::array<std::uint32_t, (kRc6MaxKeySize + 3) / 4> words{};
  for (std::size_t i = 0; i < key.size(); ++i)
    words[i / 4] |= std::uint32_t{key[i]} << (8 * (i % 4));
  const std::size_t c = std::max<std::size_t>(1, (key.size() + 3) / 4);

  std::uint32_t *s = schedule.roundKeys;
  s[0] = kP32;
  for (std::size_t i = 1; i < kRc6RoundKeyCount; ++i)
    s[i] = s[i - 1] + kQ32;

  std::uint32_t a = 0, b = 0;
  const std::size_t steps = 3 * std::max(c, kRc6RoundKeyCount);
  for (std::size_t k = 0, i = 0, j = 0; k < steps; ++k) {
    a = s[i] = std::rotl(s[i] + a + b, 3);
    b = words[j] = std::rotl(words[j] + a + b, static_cast<int>((a + b) & 31));
    i = (i + 1) % kRc6RoundKeyCount;
    j = (j + 1) % c;
  }
  SecureWipe({reinterpret_cast<std::uint8_t *>(words.data()), sizeof(words)});

  for (std::size_t i = 0; i < kRc6RoundKeyCount; ++i)
    schedule.multiplierKeys[i] = 2 * s[i] + 1;
}

// The schedule comes from the key's digest, never from the key itself; the
// key size is part of the operation's signature but plays no part.
void CipherEngine::Rc6SetKey(ByteSpan key, std::int32_t /*keySize*/) {
  const ByteString digest = Sha1Digest(key);
  if (digest.size() != kSha1DigestSize) {
    // No digest (empty key, or no memory): leave no schedule behind that a
    // stream could mistake for this key's.
    ReleaseContext();
    return;
  }
  if (AcquireContext(sizeof(Rc6Context), sizeof(Rc6Context)) == nullptr)
    return;
  Rc6Context &context = *MutableContextAs<Rc6Context>();
  Rc6ExpandKey(digest.bytes(), context.schedule);
  context.feedback = {};
}

} // namespace filecrypter
