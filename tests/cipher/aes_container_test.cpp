//===- tests/cipher/aes_container_test.cpp - The encrypted container ------===//

#include "cipher/engine.h"
#include "tests/support/hex.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace filecrypter {
namespace {

using testing::ToHex;

std::vector<std::uint8_t> RandomBytes(std::size_t n, std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<std::uint8_t> bytes(n);
  for (auto &b : bytes)
    b = static_cast<std::uint8_t>(rng());
  return bytes;
}

void SetStoredLength(std::vector<std::uint8_t> &container, std::uint32_t length) {
  for (int i = 0; i < 4; ++i)
    container[i] = static_cast<std::uint8_t>(length >> (8 * i));
}

class AesContainerTest : public ::testing::Test {
protected:
  CipherEngine engine;
  const ByteString password{"correct horse battery staple"};

  std::vector<std::uint8_t> Seal(std::span<const std::uint8_t> data) {
    const ByteString sealed = engine.AesEncrypt(data, password, 128);
    return {sealed.bytes().begin(), sealed.bytes().end()};
  }
};

TEST_F(AesContainerTest, SizesAndHeaderFollowThePlaintextLength) {
  const struct {
    std::size_t plain, container;
  } cases[] = {{1, 24}, {5, 24}, {15, 24}, {16, 24}, {17, 40}, {32, 40}, {33, 56}};
  for (const auto &c : cases) {
    const std::vector<std::uint8_t> sealed = Seal(RandomBytes(c.plain, 1));
    EXPECT_EQ(sealed.size(), c.container) << c.plain;
    EXPECT_EQ(ToHex({sealed.data(), 8}), ToHex(std::vector<std::uint8_t>{
                                             static_cast<std::uint8_t>(c.plain), 0, 0, 0, 0, 0, 0, 0}));
  }
}

TEST_F(AesContainerTest, RoundTripsEveryLengthAndKeySize) {
  std::vector<std::size_t> lengths;
  for (std::size_t n = 1; n <= 70; ++n)
    lengths.push_back(n);
  for (std::size_t n : {255u, 256u, 257u, 4096u, 65537u})
    lengths.push_back(n);
  for (std::int32_t bits : {128, 192, 256}) {
    for (std::size_t n : lengths) {
      const std::vector<std::uint8_t> data = RandomBytes(n, static_cast<std::uint32_t>(n));
      const std::vector<std::uint8_t> key = RandomBytes(n % 40, static_cast<std::uint32_t>(n + bits));
      const ByteString sealed = engine.AesEncrypt(data, key, bits);
      ASSERT_EQ(sealed.size(), 8 + (n + 15) / 16 * 16);
      const ByteString opened = engine.AesDecrypt(sealed, key, bits);
      ASSERT_EQ(ToHex(opened), ToHex(data)) << n << " bytes, " << bits << " bits";
      EXPECT_FALSE(engine.HoldsContext());
    }
  }
}

TEST_F(AesContainerTest, IdenticalBlocksGiveIdenticalCiphertext) {
  const std::vector<std::uint8_t> data(48, 0x41);
  const std::vector<std::uint8_t> sealed = Seal(data);
  EXPECT_EQ(ToHex({sealed.data() + 8, 16}), ToHex({sealed.data() + 24, 16}));
  EXPECT_EQ(Seal(data), sealed); // no salt, no IV
}

TEST_F(AesContainerTest, EmptyInputsAndBadKeySizesGiveEmptyResults) {
  EXPECT_TRUE(engine.AesEncrypt({}, password, 128).empty());
  EXPECT_TRUE(engine.AesEncrypt({}, password, 100).empty());
  EXPECT_TRUE(engine.AesDecrypt({}, password, 128).empty());
  const std::vector<std::uint8_t> sealed = Seal(RandomBytes(20, 2));
  for (std::int32_t bits : {0, 64, 127, 129, 512, -128}) {
    EXPECT_TRUE(engine.AesEncrypt(RandomBytes(20, 2), password, bits).empty()) << bits;
    EXPECT_TRUE(engine.AesDecrypt(sealed, password, bits).empty()) << bits;
  }
  EXPECT_FALSE(engine.HoldsContext());
}

TEST_F(AesContainerTest, ContainersShorterThanOneBlockAreRefused) {
  const std::vector<std::uint8_t> sealed = Seal(RandomBytes(3, 3));
  for (std::size_t n = 1; n < 24; ++n) {
    const std::vector<std::uint8_t> truncated(sealed.begin(), sealed.begin() + n);
    EXPECT_TRUE(engine.AesDecrypt(truncated, password, 128).empty()) << n;
    EXPECT_FALSE(engine.HoldsContext());
  }
}

TEST_F(AesContainerTest, StoredLengthsBeyondTheDecryptedBlocksAreRefused) {
  std::vector<std::uint8_t> sealed = Seal(RandomBytes(40, 4)); // 8 + 48 bytes
  const struct {
    std::uint32_t stored;
    bool accepted;
  } cases[] = {
      {0, false},           // claims nothing: an empty result
      {1, true},            {40, true}, {48, true}, // within the three blocks
      {49, false},          // inside the container but past its whole blocks
      {56, false},          // the container's own length
      {57, false},          {0x7FFFFFFF, false},
      {0x80000000, false},  {0xFFFFFFFF, false}, // negative as a signed number
  };
  for (const auto &c : cases) {
    SetStoredLength(sealed, c.stored);
    const ByteString opened = engine.AesDecrypt(sealed, password, 128);
    EXPECT_EQ(opened.size(), c.accepted ? c.stored : 0u) << c.stored;
    EXPECT_FALSE(engine.HoldsContext()) << c.stored;
  }
}

TEST_F(AesContainerTest, TrailingBytesAfterTheLastBlockAreIgnored) {
  const std::vector<std::uint8_t> data = RandomBytes(33, 5);
  const std::vector<std::uint8_t> sealed = Seal(data);
  for (std::size_t extra = 1; extra < 16; ++extra) {
    std::vector<std::uint8_t> padded = sealed;
    padded.resize(sealed.size() + extra, 0xEE);
    EXPECT_EQ(ToHex(engine.AesDecrypt(padded, password, 128)), ToHex(data)) << extra;
  }
}

TEST_F(AesContainerTest, WrongPasswordGivesOtherBytesOfTheSameLength) {
  const std::vector<std::uint8_t> data = RandomBytes(21, 6);
  const ByteString opened = engine.AesDecrypt(Seal(data), ByteString("not the password"), 128);
  ASSERT_EQ(opened.size(), data.size());
  EXPECT_NE(ToHex(opened), ToHex(data));
}

} // namespace
} // namespace filecrypter
