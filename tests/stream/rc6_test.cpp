//===- tests/stream/rc6_test.cpp - RC6 block, schedule and key setup ------===//

#include "cipher/engine.h"
#include "cipher/stream/rc6.h"
#include "tests/stream/stream_test_support.h"
#include "tests/support/hex.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace filecrypter {
namespace {

using testing::FromHex;
using testing::ReferenceSha1;
using testing::ToHex;

std::string EncryptHex(std::span<const std::uint8_t> key, const std::string &plainHex) {
  return ToHex(testing::Rc6Encryptor(key)(FromHex(plainHex)));
}

// The designers' vectors for 16-, 24- and 32-byte keys (c = 4, 6, 8 words).
TEST(Rc6Test, BlockFunctionAndScheduleReproduceThePublishedVectors) {
  struct Case {
    const char *key, *plain, *cipher;
  };
  const Case cases[] = {
      {"00000000000000000000000000000000", "00000000000000000000000000000000",
       "8fc3a53656b1f778c129df4e9848a41e"},
      {"0123456789abcdef0112233445566778", "02132435465768798a9bacbdcedfe0f1",
       "524e192f4715c6231f51f6367ea43f18"},
      {"000000000000000000000000000000000000000000000000", "00000000000000000000000000000000",
       "6cd61bcb190b30384e8a3f168690ae82"},
      {"0123456789abcdef0112233445566778899aabbccddeeff0", "02132435465768798a9bacbdcedfe0f1",
       "688329d019e505041e52e92af95291d4"},
      {"0000000000000000000000000000000000000000000000000000000000000000",
       "00000000000000000000000000000000", "8f5fbd0510d15fa893fa3fda6e857ec2"},
      {"0123456789abcdef0112233445566778899aabbccddeeff01032547698badcfe",
       "02132435465768798a9bacbdcedfe0f1", "c8241816f0d7e48920ad16a1674e5d48"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(EncryptHex(FromHex(c.key), c.plain), c.cipher);
  }
}

// The engine schedules SHA-1(key), whatever the key's length and whatever
// key size the caller passes.
TEST(Rc6Test, SetKeySchedulesTheDigestOfTheKeyIgnoringTheKeySize) {
  const testing::Bytes keys[] = {{0x61}, FromHex("000102030405060708090a0b0c0d0e0f10111213"),
                                 testing::Bytes(5000, 0xC3)};
  for (const auto &key : keys) {
    Rc6Schedule expected{};
    Rc6ExpandKey(ReferenceSha1(key), expected);
    for (std::int32_t keySize : {16, 0, 32, -1}) {
      SCOPED_TRACE(::testing::Message() << key.size() << "-byte key, size " << keySize);
      CipherEngine engine;
      engine.Rc6SetKey(key, keySize);
      const Rc6Context *context = engine.ContextAs<Rc6Context>();
      ASSERT_NE(context, nullptr);
      EXPECT_EQ(std::memcmp(&context->schedule, &expected, sizeof expected), 0);
    }
  }
}

TEST(Rc6Test, SetKeyWithoutAKeyLeavesNoContext) {
  CipherEngine engine;
  engine.AesSetKey(FromHex("00"), 16); // a context of another cipher is held
  ASSERT_TRUE(engine.HoldsContext());
  engine.Rc6SetKey({}, 16);
  EXPECT_FALSE(engine.HoldsContext());
}

} // namespace
} // namespace filecrypter
