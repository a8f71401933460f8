//===- tests/des/sha1_test.cpp --------------------------------------------===//

#include "cipher/engine.h"
#include "tests/support/test_heaps.h"

#include <gtest/gtest.h>
#include <openssl/sha.h>

#include <string>
#include <vector>

namespace filecrypter {
namespace {

std::string Hex(ByteSpan bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (std::uint8_t b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

ByteSpan AsBytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t *>(text.data()), text.size()};
}

TEST(Sha1Digest, PublishedExamples) {
  struct Case {
    std::string message;
    const char *digest;
  };
  const Case cases[] = {
      {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
       "a49b2446a02c645bf419f995b67091253a04a259"},
      {std::string(1000000, 'a'), "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
  };
  CipherEngine engine;
  for (const Case &c : cases) {
    const ByteString digest = engine.Sha1Digest(AsBytes(c.message));
    EXPECT_EQ(Hex(digest), c.digest) << "message of " << c.message.size() << " bytes";
  }
}

// Every length up to three blocks, so the tail takes each size on both sides
// of the one- and two-block padding split (55, 56, 63, 64, 119 among them).
TEST(Sha1Digest, AgreesWithIndependentDigestAtEveryTailLength) {
  std::vector<std::uint8_t> message;
  CipherEngine engine;
  for (std::size_t length = 1; length <= 192; ++length) {
    message.push_back(static_cast<std::uint8_t>(length * 151 + 7));
    std::uint8_t expected[SHA_DIGEST_LENGTH];
    SHA1(message.data(), message.size(), expected);
    const ByteString digest = engine.Sha1Digest(message);
    ASSERT_EQ(digest.size(), 20u);
    EXPECT_EQ(Hex(digest), Hex(expected)) << "length " << length;
  }
}

TEST(Sha1Digest, EmptyDataGivesEmptyResult) {
  CipherEngine engine;
  EXPECT_TRUE(engine.Sha1Digest({}).empty());
}

TEST(Sha1Digest, RefusedAllocationGivesEmptyResult) {
  auto heap = testing::TestHeap::GrantingOnly(0);
  CipherEngine engine(heap);
  EXPECT_TRUE(engine.Sha1Digest(AsBytes("abc")).empty());
  EXPECT_EQ(heap.liveBlocks(), 0u);
}

} // namespace
} // namespace filecrypter
