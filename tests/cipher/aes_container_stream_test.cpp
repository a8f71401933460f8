//===- tests/cipher/aes_container_stream_test.cpp - The container in pieces ===//

#include "cipher/aes_container_stream.h"
#include "tests/support/test_heaps.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace filecrypter {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes RandomBytes(std::size_t n, std::uint32_t seed) {
  std::mt19937 rng(seed);
  Bytes bytes(n);
  for (auto &b : bytes)
    b = static_cast<std::uint8_t>(rng());
  return bytes;
}

Bytes AsVector(const ByteString &s) { return {s.bytes().begin(), s.bytes().end()}; }

const ByteString kPassword{"correct horse battery staple, and more than 32 bytes"};

// Seals `plain` in pieces of `piece` bytes (a multiple of 16), each
// encrypted in place in a buffer of that size, as the file commands do.
Bytes SealInPieces(const AesContainerKey &key, const Bytes &plain, std::size_t piece) {
  AesContainerEncryptor sealer(key, static_cast<std::uint32_t>(plain.size()));
  const auto header = sealer.Header();
  Bytes out(header.begin(), header.end());
  Bytes buffer(piece);
  for (std::size_t at = 0; at < plain.size(); at += piece) {
    const std::size_t n = std::min(piece, plain.size() - at);
    std::copy_n(plain.begin() + static_cast<std::ptrdiff_t>(at), n, buffer.begin());
    const std::size_t sealed = sealer.Encrypt({buffer.data(), n}, buffer);
    EXPECT_NE(sealed, 0u);
    out.insert(out.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(sealed));
  }
  EXPECT_EQ(sealer.remaining(), 0u);
  return out;
}

// Opens `container` in pieces of `piece` bytes, in place; nullopt when refused.
std::optional<Bytes> OpenInPieces(const AesContainerKey &key, const Bytes &container,
                                  std::size_t piece) {
  auto opener = AesContainerDecryptor::Open(key, container, container.size());
  if (!opener)
    return std::nullopt;
  Bytes plain, buffer(piece);
  std::size_t at = kContainerHeaderSize;
  while (opener->remainingCiphertext() != 0) {
    const std::size_t n = std::min<std::uint64_t>(piece, opener->remainingCiphertext());
    std::copy_n(container.begin() + static_cast<std::ptrdiff_t>(at), n, buffer.begin());
    const std::size_t opened = opener->Decrypt({buffer.data(), n}, buffer);
    EXPECT_NE(opened, 0u);
    plain.insert(plain.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(opened));
    at += n;
  }
  return plain;
}

TEST(AesContainerStreamTest, PiecesGiveTheWholeBufferBytesBothWays) {
  CipherEngine engine;
  for (std::int32_t bits : {128, 192, 256}) {
    const auto key = AesContainerKey::Make(kPassword, bits);
    ASSERT_TRUE(key);
    for (std::size_t piece : {16u, 48u, 64u}) {
      for (std::size_t size : {1u, 15u, 16u, 17u, 47u, 48u, 49u, 63u, 64u, 65u, 200u}) {
        SCOPED_TRACE(::testing::Message() << bits << " bits, piece " << piece << ", size " << size);
        const Bytes plain = RandomBytes(size, static_cast<std::uint32_t>(size * piece + bits));
        const Bytes sealed = SealInPieces(*key, plain, piece);
        EXPECT_EQ(sealed, AsVector(engine.AesEncrypt(plain, kPassword, bits)));
        // Bytes after the last whole block are ignored, as by AesDecrypt.
        Bytes padded = sealed;
        padded.insert(padded.end(), 7, 0xEE);
        EXPECT_EQ(OpenInPieces(*key, padded, piece), plain);
        EXPECT_EQ(AsVector(engine.AesDecrypt(padded, kPassword, bits)), plain);
      }
    }
  }
}

TEST(AesContainerStreamTest, OpensWhatAesDecryptOpensAndRefusesTheRest) {
  const auto key = AesContainerKey::Make(kPassword, 128);
  ASSERT_TRUE(key);
  CipherEngine engine;
  auto withLength = [](std::size_t size, std::uint32_t stored) {
    Bytes c = RandomBytes(size, stored);
    for (int i = 0; i < 4; ++i)
      c[i] = static_cast<std::uint8_t>(stored >> (8 * i));
    return c;
  };
  struct Case {
    const char *what;
    Bytes container;
    bool opens;
  } cases[] = {
      {"stored length 0", withLength(24, 0), true},
      {"length fills the whole blocks", withLength(40, 32), true},
      {"trailing bytes beyond whole blocks", withLength(45, 20), true},
      {"shorter than one block", withLength(23, 1), false},
      {"header only", withLength(8, 0), false},
      {"length past the whole blocks", withLength(45, 33), false},
      {"length past the container", withLength(40, 1000), false},
      {"negative length", withLength(40, 0x80000010u), false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<Bytes> opened = OpenInPieces(*key, c.container, 32);
    EXPECT_EQ(opened.has_value(), c.opens);
    if (opened) {
      EXPECT_EQ(*opened, AsVector(engine.AesDecrypt(c.container, kPassword, 128)));
    }
  }
}

TEST(AesContainerStreamTest, PiecesThatBreakTheRulesChangeNothing) {
  const auto key = AesContainerKey::Make(kPassword, 128);
  ASSERT_TRUE(key);
  Bytes buffer(64);
  const ByteSpan in(buffer);

  AesContainerEncryptor sealer(*key, 40);
  EXPECT_EQ(sealer.Encrypt(in.first(17), buffer), 0u) << "ragged piece before the end";
  EXPECT_EQ(sealer.Encrypt(in.first(48), buffer), 0u) << "past the plaintext";
  EXPECT_EQ(sealer.Encrypt({}, buffer), 0u) << "empty piece";
  EXPECT_EQ(sealer.Encrypt(in.first(32), std::span(buffer).first(16)), 0u) << "no room";
  EXPECT_EQ(sealer.remaining(), 40u);
  EXPECT_EQ(sealer.Encrypt(in.first(32), buffer), 32u);
  EXPECT_EQ(sealer.Encrypt(in.first(8), buffer), 16u);
  EXPECT_EQ(sealer.remaining(), 0u);

  Bytes container(8 + 64, 0);
  container[0] = 40;
  auto opener = AesContainerDecryptor::Open(*key, container, container.size());
  ASSERT_TRUE(opener);
  EXPECT_EQ(opener->remainingCiphertext(), 48u);
  EXPECT_EQ(opener->Decrypt(in.first(20), buffer), 0u) << "not whole blocks";
  EXPECT_EQ(opener->Decrypt(in.first(64), buffer), 0u) << "past the plaintext's blocks";
  EXPECT_EQ(opener->Decrypt(in.first(48), std::span(buffer).first(39)), 0u) << "no room";
  EXPECT_EQ(opener->Decrypt(in.first(48), std::span(buffer).first(40)), 40u);
  EXPECT_EQ(opener->remainingCiphertext(), 0u);
}

TEST(AesContainerStreamTest, KeyRefusesOddSizesAndWipesItsScheduleWhenItGoes) {
  testing::TestHeap heap;
  EXPECT_FALSE(AesContainerKey::Make(kPassword, 64, heap));
  EXPECT_FALSE(AesContainerKey::Make(kPassword, 129, heap));
  {
    const auto key = AesContainerKey::Make(kPassword, 256, heap);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->rounds(), 14u);
    EXPECT_EQ(heap.liveBlocks(), 1u);
  }
  EXPECT_EQ(heap.liveBlocks(), 0u);
  EXPECT_EQ(heap.unwipedReleases(), 0u);
  testing::TestHeap refusing(1);
  EXPECT_FALSE(AesContainerKey::Make(kPassword, 128, refusing));
}

} // namespace
} // namespace filecrypter
