//===- tests/des/des_text_test.cpp ----------------------------------------===//

#include "cipher/engine.h"
#include "tests/support/test_heaps.h"
#include "des_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace filecrypter {
namespace {

using namespace std::string_literals;

TEST(DesText, EncryptsThePublishedExampleSentence) {
  CipherEngine engine;
  const std::string key = "\x01\x23\x45\x67\x89\xAB\xCD\xEF";
  const std::string hex = "3FA40E8A984D48156A271787AB8883F9893D51EC4B563B53";
  EXPECT_EQ(engine.DesEncryptText("Now is the time for all ", key).view(), hex);
  EXPECT_EQ(engine.DesDecryptText(hex, key).view(), "Now is the time for all ");
}

TEST(DesText, RoundTripsTextsOfEveryShape) {
  const std::string texts[] = {
      "",
      "1234567",
      "12345678",
      "123456789",
      "abcdefghijklmnopq",
      "文件加密 - 砚舟",                    // UTF-8, a block boundary inside a character
      "\xCE\xC4\xBC\xFE\xBC\xD3\xC3\xDC\xA1\xA3", // the same kind of text in GBK
  };
  const std::string keys[] = {"", "k", "12345678", "a key longer than eight bytes", "密码"};
  CipherEngine engine;
  for (const std::string &text : texts) {
    for (const std::string &key : keys) {
      SCOPED_TRACE("text of " + std::to_string(text.size()) + " bytes, key \"" + key + '"');
      const ByteString hex = engine.DesEncryptText(text, key);
      EXPECT_EQ(hex.size(), 16 * ((text.size() + 7) / 8));
      EXPECT_TRUE(std::all_of(hex.view().begin(), hex.view().end(),
                              [](char c) { return std::isdigit(c) || (c >= 'A' && c <= 'F'); }))
          << hex.view();
      EXPECT_EQ(hex.data()[hex.size()], 0);
      EXPECT_EQ(engine.DesDecryptText(hex.view(), key).view(), text);
    }
  }
}

// The result is plain ECB over zero-filled blocks: the ninth byte is a block
// of its own, and equal blocks give equal digit groups.
TEST(DesText, BlocksAreZeroFilledAndIndependent) {
  CipherEngine engine;
  const std::string nine = engine.DesEncryptText("abcdefghi", "key").c_str();
  EXPECT_EQ(nine.substr(0, 16), engine.DesEncryptText("abcdefgh", "key").view());
  EXPECT_EQ(nine.substr(16), engine.DesEncryptText("i", "key").view());
  EXPECT_EQ(nine.substr(16), UpperHex(Encrypt(BlockFromText("key"), BlockFromText("i"))));

  const std::string twice = engine.DesEncryptText("samesamesamesame", "key").c_str();
  EXPECT_EQ(twice.substr(0, 16), twice.substr(16));
}

TEST(DesText, KeyIsTheFirstEightBytesZeroFilled) {
  CipherEngine engine;
  const std::string data = "\x01\x23\x45\x67\x89\xAB\xCD\xEF";
  // The empty key is eight zero bytes, a published case.
  EXPECT_EQ(engine.DesEncryptText(data, "").view(), "617B3A0CE8F07100");
  // A short key is its bytes followed by zeros.
  EXPECT_EQ(engine.DesEncryptText(data, "abc").view(),
            UpperHex(Encrypt(BlockFromHex("6162630000000000"), BlockFromText(data))));
  // Bytes past the eighth, and past a zero byte, do not count.
  EXPECT_EQ(engine.DesEncryptText(data, "12345678 and more").view(),
            engine.DesEncryptText(data, "12345678").view());
  EXPECT_EQ(engine.DesEncryptText(data, "abc\0xyz"s).view(), engine.DesEncryptText(data, "abc").view());
  // Each byte's low bit is parity: "0325476" differs from "1234567" only there.
  EXPECT_EQ(engine.DesEncryptText(data, "03254769").view(), engine.DesEncryptText(data, "12345678").view());
  EXPECT_EQ(engine.DesEncryptText(data, "\x01\x01\x01\x01\x01\x01\x01\x01").view(),
            engine.DesEncryptText(data, "").view());
}

TEST(DesText, DataEndsAtItsFirstZeroByte) {
  CipherEngine engine;
  EXPECT_EQ(engine.DesEncryptText("abc\0defghijk"s, "key").view(), engine.DesEncryptText("abc", "key").view());
  EXPECT_TRUE(engine.DesEncryptText("\0abc"s, "key").empty());
}

TEST(DesText, DecryptionReadsLowercaseAndOtherCharactersByTheirCodes) {
  CipherEngine engine;
  const ByteString upper = engine.DesEncryptText("lowercase digits", "key");
  std::string lower(upper.view());
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return std::tolower(c); });
  EXPECT_EQ(engine.DesDecryptText(lower, "key").view(), "lowercase digits");

  // Characters past "f" count on from 16 ("g") and wrap within a byte.
  const std::string junk = "ghijklmnopqrstuv";
  DesBlock bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<std::uint8_t>((16 + 2 * i) * 16 + (17 + 2 * i));
  const DesBlock plain = Decrypt(BlockFromText("key"), bytes);
  const auto end = std::find(plain.begin(), plain.end(), 0);
  EXPECT_EQ(engine.DesDecryptText(junk, "key").view(), std::string(plain.begin(), end));
}

// Whatever the key, the text ends at the first zero byte that decryption
// produces; a zero in the first byte gives the empty text.
TEST(DesText, DecryptedTextEndsAtTheFirstZeroByte) {
  struct Case {
    std::string rawPlain; // what the ciphertext decrypts to under `key`
    std::string_view expected;
  };
  const Case cases[] = {
      {"ab\0cdefghijklmno"s, "ab"},
      {"\0bcdefgh"s, ""},
      {"abcdefghijklmn\0p"s, "abcdefghijklmn"},
  };
  const DesBlock key = BlockFromText("wrongkey");
  CipherEngine engine;
  for (const Case &c : cases) {
    std::string hex;
    for (std::size_t offset = 0; offset < c.rawPlain.size(); offset += 8)
      hex += UpperHex(Encrypt(key, BlockFromText(c.rawPlain.substr(offset, 8))));
    EXPECT_EQ(engine.DesDecryptText(hex, "wrongkey").view(), c.expected);
  }

  // A text made under another key decrypts to other bytes, cut the same way.
  const std::string hex = engine.DesEncryptText("attack at dawn!!", "rightkey").c_str();
  std::string expected;
  for (std::size_t offset = 0; offset < hex.size(); offset += 16) {
    const DesBlock raw = Decrypt(key, BlockFromHex(std::string_view(hex).substr(offset, 16)));
    expected.append(raw.begin(), raw.end());
  }
  expected = expected.substr(0, expected.find('\0'));
  EXPECT_EQ(engine.DesDecryptText(hex, "wrongkey").view(), expected);
  EXPECT_NE(engine.DesDecryptText(hex, "wrongkey").view(), "attack at dawn!!");
}

TEST(DesText, HexOfPartialBlocksGivesTheEmptyText) {
  CipherEngine engine;
  const std::string hex = engine.DesEncryptText("sixteen bytes!!!", "key").c_str();
  for (std::size_t length : {1u, 2u, 8u, 15u, 17u, 24u, 31u})
    EXPECT_TRUE(engine.DesDecryptText(std::string_view(hex).substr(0, length), "key").empty()) << length;
  EXPECT_TRUE(engine.DesDecryptText("", "key").empty());
  // Only digits before the terminator count.
  EXPECT_EQ(engine.DesDecryptText(hex + '\0' + "0123", "key").view(), "sixteen bytes!!!");
}

// Each call takes two blocks: the subkeys, then the result.  Refusing either
// gives an empty result with nothing leaked, and the subkeys go back wiped.
TEST(DesText, RefusedAllocationsGiveEmptyResultsAndSubkeysAreWiped) {
  const std::string hex = CipherEngine().DesEncryptText("secret text", "key").c_str();
  for (std::size_t grants = 0; grants < 2; ++grants) {
    auto heap = testing::TestHeap::GrantingOnly(grants);
    CipherEngine engine(heap);
    EXPECT_TRUE(engine.DesEncryptText("secret text", "key").empty()) << grants;
    EXPECT_TRUE(engine.DesDecryptText(hex, "key").empty()) << grants;
    EXPECT_EQ(heap.liveBlocks(), 0u);
    EXPECT_EQ(heap.unwipedReleases(), 0u);
  }
  auto heap = testing::TestHeap::GrantingOnly(4);
  {
    CipherEngine engine(heap);
    EXPECT_EQ(engine.DesEncryptText("secret text", "key").view(), hex);
    EXPECT_EQ(engine.DesDecryptText(hex, "key").view(), "secret text");
  }
  EXPECT_EQ(heap.liveBlocks(), 0u);
  EXPECT_EQ(heap.unwipedReleases(), 0u);
}

} // namespace
} // namespace filecrypter
