#include "host/text_encoding.h"

#include "app/default_password.h"
#include "tests/support/hex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace filecrypter {
namespace {

using testing::FromHex;

std::vector<std::uint8_t> Bytes(const ByteString &bytes) {
  return {bytes.bytes().begin(), bytes.bytes().end()};
}

TEST(TextToBytesTest, EncodesInGbkWithGb18030ForWhatGbkLacks) {
  struct Case {
    std::string_view text;
    std::string_view gbkHex;
  } cases[] = {
      {"", ""},
      {"abc", "616263"},
      {"密码", "c3dc c2eb"},
      {"€", "80"},                    // code page 936 has the euro sign
      {"a😀b", "61 9439fc36 62"},     // outside GBK: four GB18030 bytes
      {"한", "83368433"},             // a Hangul syllable, outside GBK too
      {"a\xFF" "b", "61ff62"},        // not UTF-8: kept as it is
      {"\xE5\x91", "e591"},           // a character cut short at the end
  };
  for (const Case &c : cases)
    EXPECT_EQ(Bytes(TextToBytes(c.text)), FromHex(c.gbkHex)) << c.text;
}

TEST(TextToBytesTest, DefaultPasswordGivesTheKnownKey) {
  const ByteString bytes = TextToBytes(kDefaultPassword);
  ASSERT_EQ(bytes.size(), 76u);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.bytes().begin(), bytes.bytes().begin() + 16),
            FromHex("c7ebbdabcec4bcfecdcfb7c5b5bdb1be"));
}

} // namespace
} // namespace filecrypter
