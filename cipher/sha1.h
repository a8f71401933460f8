//===- cipher/sha1.h - The SHA-1 compression and padding --------*- C++ -*-===//
//
// SHA-1 as the Secure Hash Standard defines it, over one whole message held
// in memory.  The engine's `Sha1Digest` is the public entry; the routine is
// exposed for callers inside the cipher library that already own a 20-byte
// destination.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_CIPHER_SHA1_H
#define FILECRYPTER_CIPHER_SHA1_H

#include <cstddef>
#include <cstdint>
#include <span>

namespace filecrypter {

inline constexpr std::size_t kSha1DigestSize = 20;

// Hashes all of `message` (padding and length included) and writes the
// digest to `digest` in the standard's byte order.  Allocates nothing; the
// working words, which may hold key bytes, are wiped before returning.
void Sha1Process(std::span<const std::uint8_t> message,
                 std::span<std::uint8_t, kSha1DigestSize> digest) noexcept;

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_SHA1_H
