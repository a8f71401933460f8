//===- tests/cipher/aes_key_test.cpp - AES key setup and block cipher -----===//

#include "cipher/aes_context.h"
#include "cipher/aes_tables.h"
#include "cipher/engine.h"
#include "tests/support/hex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace filecrypter {
namespace {

using testing::FromHex;
using testing::ToHex;

std::vector<std::uint32_t> Words(std::string_view hex) {
  const std::vector<std::uint8_t> bytes = FromHex(hex);
  std::vector<std::uint32_t> words;
  for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4)
    words.push_back((std::uint32_t{bytes[i]} << 24) | (std::uint32_t{bytes[i + 1]} << 16) |
                    (std::uint32_t{bytes[i + 2]} << 8) | bytes[i + 3]);
  return words;
}

// The key expansion examples printed in the standard's Appendix A.
struct ExpansionCase {
  const char *key;
  std::uint32_t rounds;
  const char *schedule;
};

const ExpansionCase kExpansions[] = {
    {"2b7e151628aed2a6abf7158809cf4f3c", 10,
     "2b7e1516 28aed2a6 abf71588 09cf4f3c a0fafe17 88542cb1 23a33939 2a6c7605 f2c295f2 7a96b943 "
     "5935807a 7359f67f 3d80477d 4716fe3e 1e237e44 6d7a883b ef44a541 a8525b7f b671253b db0bad00 "
     "d4d1c6f8 7c839d87 caf2b8bc 11f915bc 6d88a37a 110b3efd dbf98641 ca0093fd 4e54f70e 5f5fc9f3 "
     "84a64fb2 4ea6dc4f ead27321 b58dbad2 312bf560 7f8d292f ac7766f3 19fadc21 28d12941 575c006e "
     "d014f9a8 c9ee2589 e13f0cc8 b6630ca6"},
    {"8e73b0f7da0e6452c810f32b809079e562f8ead2522c6b7b", 12,
     "8e73b0f7 da0e6452 c810f32b 809079e5 62f8ead2 522c6b7b fe0c91f7 2402f5a5 ec12068e 6c827f6b "
     "0e7a95b9 5c56fec2 4db7b4bd 69b54118 85a74796 e92538fd e75fad44 bb095386 485af057 21efb14f "
     "a448f6d9 4d6dce24 aa326360 113b30e6 a25e7ed5 83b1cf9a 27f93943 6a94f767 c0a69407 d19da4e1 "
     "ec1786eb 6fa64971 485f7032 22cb8755 e26d1352 33f0b7b3 40beeb28 2f18a259 6747d26b 458c553e "
     "a7e1466c 9411f1df 821f750a ad07d753 ca400538 8fcc5006 282d166a bc3ce7b5 e98ba06f 448c773c "
     "8ecc7204 01002202"},
    {"603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4", 14,
     "603deb10 15ca71be 2b73aef0 857d7781 1f352c07 3b6108d7 2d9810a3 0914dff4 9ba35411 8e6925af "
     "a51a8b5f 2067fcde a8b09c1a 93d194cd be49846e b75d5b9a d59aecb8 5bf3c917 fee94248 de8ebe96 "
     "b5a9328a 2678a647 98312229 2f6c79b3 812c81ad dadf48ba 24360af2 fab8b464 98c5bfc9 bebd198e "
     "268c3ba7 09e04214 68007bac b2df3316 96e939e4 6c518d80 c814e204 76a9fb8a 5025c02d 59c58239 "
     "de136967 6ccc5a71 fa256395 9674ee15 5886ca5d 2e2f31d7 7e0af1fa 27cf73c3 749c47ab 18501dda "
     "e2757e4f 7401905a cafaaae3 e4d59b34 9adf6ace bd10190d fe4890d1 e6188d0b 046df344 706c631e"},
};

TEST(AesKeySetupTest, SchedulesMatchThePublishedExpansions) {
  for (const ExpansionCase &c : kExpansions) {
    SCOPED_TRACE(c.key);
    const std::vector<std::uint8_t> key = FromHex(c.key);
    const std::vector<std::uint32_t> expected = Words(c.schedule);
    CipherEngine engine;
    engine.AesSetKey(key, static_cast<std::int32_t>(key.size()));
    const AesContext *ctx = engine.ContextAs<AesContext>();
    ASSERT_NE(ctx, nullptr);
    EXPECT_EQ(engine.aes_rounds(), c.rounds);
    ASSERT_EQ(expected.size(), 4 * (c.rounds + 1));
    EXPECT_EQ(std::vector<std::uint32_t>(ctx->encryptSchedule, ctx->encryptSchedule + expected.size()), expected);
    // The decryption schedule starts with the last round key and ends with the
    // first, both untouched by InvMixColumns.
    const std::uint32_t last = 4 * c.rounds;
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(ctx->decryptSchedule[i], expected[last + i]);
      EXPECT_EQ(ctx->decryptSchedule[last + i], expected[i]);
    }
  }
}

// The cipher examples of the standard's Appendix C, through the container.
TEST(AesKeySetupTest, ContainersCarryThePublishedCiphertexts) {
  struct Case {
    const char *key, *ciphertext;
    std::int32_t bits;
  };
  const Case cases[] = {
      {"000102030405060708090a0b0c0d0e0f", "69c4e0d86a7b0430d8cdb78070b4c55a", 128},
      {"000102030405060708090a0b0c0d0e0f1011121314151617", "dda97ca4864cdfe06eaf70a0ec0d7191", 192},
      {"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f",
       "8ea2b7ca516745bfeafc49904b496089", 256},
  };
  const std::vector<std::uint8_t> plaintext = FromHex("00112233445566778899aabbccddeeff");
  for (const Case &c : cases) {
    SCOPED_TRACE(c.bits);
    CipherEngine engine;
    const ByteString container = engine.AesEncrypt(plaintext, FromHex(c.key), c.bits);
    EXPECT_EQ(ToHex(container), std::string("1000000000000000") + c.ciphertext);
    const ByteString opened = engine.AesDecrypt(container, FromHex(c.key), c.bits);
    EXPECT_EQ(ToHex(opened), ToHex(plaintext));
  }
}

TEST(AesKeySetupTest, PasswordIsCutOrZeroFilledToTheKeyLength) {
  struct Case {
    std::string password;
    std::int32_t keyLength;
    std::string rawKey; // hexadecimal
  };
  const Case cases[] = {
      {"", 16, std::string(32, '0')},
      {"", 32, std::string(64, '0')},
      {"abc", 16, "616263" + std::string(26, '0')},
      {"0123456789abcdefXYZ", 16, "30313233343536373839616263646566"},
      {"0123456789abcdefXYZ", 24, "3031323334353637383961626364656658595a" + std::string(10, '0')},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.password + "/" + std::to_string(c.keyLength));
    CipherEngine engine;
    engine.AesSetKey(ByteString(c.password), c.keyLength);
    const AesContext *ctx = engine.ContextAs<AesContext>();
    ASSERT_NE(ctx, nullptr);
    EXPECT_EQ(ToHex({ctx->rawKey, static_cast<std::size_t>(c.keyLength)}), c.rawKey);
  }
}

TEST(AesKeySetupTest, PasswordsAgreeingInTheirFirstSixteenBytesShareAKey) {
  CipherEngine engine;
  const ByteString data("the same key opens both");
  const ByteString sealed = engine.AesEncrypt(data, ByteString("0123456789abcdef-first"), 128);
  EXPECT_EQ(engine.AesDecrypt(sealed, ByteString("0123456789abcdef-second"), 128), data);
  // A short password is the same as itself followed by zero bytes.
  const ByteString padded(std::string_view("short\0\0\0", 8));
  EXPECT_EQ(engine.AesEncrypt(data, ByteString("short"), 128), engine.AesEncrypt(data, padded, 128));
}

TEST(AesKeySetupTest, InvalidKeyLengthsChangeNothing) {
  CipherEngine engine;
  for (std::int32_t length : {0, 1, 15, 17, 31, 33, 64, -16}) {
    engine.AesSetKey(ByteString("password"), length);
    EXPECT_FALSE(engine.HoldsContext()) << length;
  }
  // A held context keeps its key when a bad length comes along.
  engine.AesSetKey(ByteString("password"), 16);
  const std::vector<std::uint8_t> before(engine.context().begin(), engine.context().end());
  engine.AesSetKey(ByteString("other"), 20);
  EXPECT_EQ(std::vector<std::uint8_t>(engine.context().begin(), engine.context().end()), before);
  EXPECT_EQ(engine.aes_rounds(), 10u);
}

TEST(AesKeySetupTest, HeldContextIsReusedForALongerKey) {
  CipherEngine engine;
  engine.AesSetKey(ByteString("k"), 16);
  const std::uint8_t *held = engine.context().data();
  EXPECT_EQ(engine.context().size(), 528u);
  engine.AesSetKey(ByteString("k"), 32);
  EXPECT_EQ(engine.context().data(), held);
  EXPECT_EQ(engine.aes_rounds(), 14u);
}

TEST(AesTablesTest, SpotValuesOfTheSboxAndItsInverse) {
  // S(0x00)=63, S(0x53)=ed, Si(0x63)=00, Si(0xed)=53; Te0 packs 2S,S,S,3S.
  EXPECT_EQ(kAesTables.te4[0x00], 0x63636363u);
  EXPECT_EQ(kAesTables.te4[0x53], 0xededededu);
  EXPECT_EQ(kAesTables.td4[0x63], 0x00000000u);
  EXPECT_EQ(kAesTables.td4[0xed], 0x53535353u);
  EXPECT_EQ(kAesTables.te0[0x00], 0xc66363a5u);
  EXPECT_EQ(kAesTables.td0[0x00], 0x51f4a750u);
  EXPECT_EQ(kAesTables.rcon[8], 0x1b000000u);
  EXPECT_EQ(kAesTables.rcon[9], 0x36000000u);
}

} // namespace
} // namespace filecrypter
