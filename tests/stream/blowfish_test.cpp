//===- tests/stream/blowfish_test.cpp - Blowfish table, block and key setup ===//

#include "cipher/engine.h"
#include "cipher/stream/blowfish.h"
#include "tests/stream/stream_test_support.h"
#include "tests/support/hex.h"

#include <openssl/bn.h>
#include <openssl/crypto.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace filecrypter {
namespace {

using testing::Bytes;
using testing::FromHex;
using testing::ToHex;

std::string EncryptHex(const std::string &keyHex, const std::string &plainHex) {
  return ToHex(testing::BlowfishEncryptor(FromHex(keyHex))(FromHex(plainHex)));
}

// A selection of the published known-answer set, all-zero key and block first.
TEST(BlowfishTest, BlockFunctionAndScheduleReproduceThePublishedVectors) {
  struct Case {
    const char *key, *plain, *cipher;
  };
  const Case cases[] = {
      {"0000000000000000", "0000000000000000", "4ef997456198dd78"},
      {"ffffffffffffffff", "ffffffffffffffff", "51866fd5b85ecb8a"},
      {"3000000000000000", "1000000000000001", "7d856f9a613063f2"},
      {"1111111111111111", "1111111111111111", "2466dd878b963c9d"},
      {"0123456789abcdef", "1111111111111111", "61f9c3802281b096"},
      {"fedcba9876543210", "0123456789abcdef", "0aceab0fc6a0a28d"},
      {"7ca110454a1a6e57", "01a1d6d039776742", "59c68245eb05282b"},
      {"e0fee0fef1fef1fe", "0123456789abcdef", "c39e072d9fac631d"},
      {"0000000000000000", "ffffffffffffffff", "014933e0cdaff6e4"},
      {"fedcba9876543210", "ffffffffffffffff", "6b5c5a9c5d9e0a5a"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(EncryptHex(c.key, c.plain), c.cipher);
  }
}

// The published variable-key-length set: the first 1 to 24 bytes of one key
// over one block; the key bytes are taken cyclically over the P-array.
TEST(BlowfishTest, ScheduleReproducesThePublishedVariableKeyLengthVectors) {
  const std::string fullKey = "f0e1d2c3b4a5968778695a4b3c2d1e0f0011223344556677";
  const char *expected[] = {
      "f9ad597c49db005e", "e91d21c1d961a6d6", "e9c2b70a1bc65cf3", "be1e639408640f05",
      "b39e44481bdb1e6e", "9457aa83b1928c0d", "8bb77032f960629d", "e87a244e2cc85e82",
      "15750e7a4f4ec577", "122ba70b3ab64ae0", "3a833c9affc537f6", "9409da87a90f6bf2",
      "884f80625060b8b4", "1f85031c19e11968", "79d9373a714ca34f", "93142887ee3be15c",
      "03429e838ce2d14b", "a4299e27469ff67b", "afd5aed1c1bc96a8", "10851c0e3858da9f",
      "e6f51ed79b9db21f", "64a6e14afd36b46f", "80c7d7d45a5479ad", "05044b62fa52d080",
  };
  for (std::size_t length = 1; length <= 24; ++length) {
    SCOPED_TRACE(length);
    EXPECT_EQ(EncryptHex(fullKey.substr(0, 2 * length), "fedcba9876543210"), expected[length - 1]);
  }
}

// The first `count` 32-bit words of pi's hexadecimal fraction, by Machin's
// formula pi = 16 atan(1/5) - 4 atan(1/239) in fixed point on OpenSSL's big
// numbers, with 64 guard bits against the series' rounding.
std::vector<std::uint32_t> PiFractionWords(std::size_t count) {
  using Number = std::unique_ptr<BIGNUM, decltype(&BN_free)>;
  auto make = [] { return Number(BN_new(), &BN_free); };
  const int bits = static_cast<int>(32 * count + 64);

  auto arctanOfInverse = [&](BN_ULONG x) {
    Number sum = make(), term = make(), part = make();
    BN_one(term.get());
    BN_lshift(term.get(), term.get(), bits);
    BN_div_word(term.get(), x);
    BN_copy(sum.get(), term.get());
    for (BN_ULONG k = 1; !BN_is_zero(term.get()); ++k) {
      BN_div_word(term.get(), x * x);
      BN_copy(part.get(), term.get());
      BN_div_word(part.get(), 2 * k + 1);
      if (k % 2 == 1)
        BN_sub(sum.get(), sum.get(), part.get());
      else
        BN_add(sum.get(), sum.get(), part.get());
    }
    return sum;
  };
  Number pi = arctanOfInverse(5), other = arctanOfInverse(239);
  BN_mul_word(pi.get(), 16);
  BN_mul_word(other.get(), 4);
  BN_sub(pi.get(), pi.get(), other.get());
  BN_rshift(pi.get(), pi.get(), 64);

  char *hex = BN_bn2hex(pi.get()); // the integer part 3, then the fraction
  const std::string all(hex);
  OPENSSL_free(hex);
  const std::string digits = all.substr(all.size() - 8 * count);
  std::vector<std::uint32_t> words;
  for (std::size_t i = 0; i < count; ++i)
    words.push_back(static_cast<std::uint32_t>(std::stoul(digits.substr(8 * i, 8), nullptr, 16)));
  return words;
}

TEST(BlowfishTest, InitTableHoldsPiWithTheSBoxesBeforeThePArray) {
  const auto &table = kBlowfishInitTable;
  EXPECT_EQ(table[0], 0xD1310BA6u);    // S0[0]
  EXPECT_EQ(table[1023], 0x3AC372E6u); // S3[255]
  EXPECT_EQ(table[1024], 0x243F6A88u); // P[0]
  EXPECT_EQ(table[1041], 0x8979FB1Bu); // P[17]

  const std::vector<std::uint32_t> pi = PiFractionWords(table.size());
  for (std::size_t i = 0; i < kBlowfishPWords; ++i)
    ASSERT_EQ(table[kBlowfishSBoxWords + i], pi[i]) << "P[" << i << "]";
  for (std::size_t i = 0; i < kBlowfishSBoxWords; ++i)
    ASSERT_EQ(table[i], pi[kBlowfishPWords + i]) << "S" << i / 256 << "[" << i % 256 << "]";
}

// The engine schedules SHA-1(key), whatever the key's length and whatever
// key size the caller passes.
TEST(BlowfishTest, SetKeySchedulesTheDigestOfTheKeyIgnoringTheKeySize) {
  const Bytes keys[] = {{0x61}, FromHex("000102030405060708090a0b0c0d0e0f10111213"),
                        Bytes(5000, 0xC3)};
  for (const Bytes &key : keys) {
    auto expected = std::make_unique<BlowfishContext>();
    BlowfishExpandKey(testing::ReferenceSha1(key), *expected);
    for (std::int32_t keySize : {16, 0, 56, -1}) {
      SCOPED_TRACE(::testing::Message() << key.size() << "-byte key, size " << keySize);
      CipherEngine engine;
      engine.BlowfishSetKey(key, keySize);
      const BlowfishContext *context = engine.ContextAs<BlowfishContext>();
      ASSERT_NE(context, nullptr);
      EXPECT_EQ(std::memcmp(context->p, expected->p, sizeof expected->p), 0);
      EXPECT_EQ(std::memcmp(context->s, expected->s, sizeof expected->s), 0);
    }
  }
}

TEST(BlowfishTest, SetKeyWithoutAKeyLeavesNoContext) {
  CipherEngine engine;
  engine.Rc6SetKey(FromHex("00"), 16); // a context of another cipher is held
  ASSERT_TRUE(engine.HoldsContext());
  engine.BlowfishSetKey({}, 16);
  EXPECT_FALSE(engine.HoldsContext());
}

} // namespace
} // namespace filecrypter
