//===- tests/des/hex_test.cpp ---------------------------------------------===//

#include "cipher/engine.h"
#include "tests/support/test_heaps.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace filecrypter {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ToVector(const ByteString &s) { return {s.bytes().begin(), s.bytes().end()}; }

TEST(StripSpaces, RemovesOnlyTheSpaceCharacter) {
  struct Case {
    std::string_view text;
    std::string_view expected;
  };
  const Case cases[] = {
      {"", ""},
      {"    ", ""},
      {" a b\tc\n d ", "ab\tc\nd"},
      {"no-spaces", "no-spaces"},
      {std::string_view("a b\0c d", 7), "ab"}, // the text ends at its first zero
  };
  CipherEngine engine;
  for (const Case &c : cases)
    EXPECT_EQ(engine.StripSpaces(c.text).view(), c.expected) << '"' << c.text << '"';
}

TEST(HexToBytes, DecodesDigitPairsAndKeepsTheSpaceFreeText) {
  struct Case {
    std::string_view text;
    Bytes expected;
    std::string_view textAfter;
  };
  const Case cases[] = {
      {"0a1B 2c", {0x0A, 0x1B, 0x2C}, "0a1B2c"},
      {"ABC", {0xAB, 0xC0}, "ABC"},            // an odd last digit is a high half
      {"zz", {0x00}, "zz"},                    // non-digits read as 0
      {"g1 fF", {0x01, 0xFF}, "g1fF"},
      {"", {}, ""},
      {"   ", {}, ""},
      {std::string_view("12\0" "34", 5), {0x12}, "12"},
  };
  CipherEngine engine;
  for (const Case &c : cases) {
    ByteString text(c.text);
    EXPECT_EQ(ToVector(engine.HexToBytes(text)), c.expected) << '"' << c.text << '"';
    EXPECT_EQ(text.view(), c.textAfter) << '"' << c.text << '"';
  }
}

TEST(BytesToHex, WritesUppercasePairsPackedOrSpaced) {
  CipherEngine engine;
  const Bytes bytes = {0x00, 0x9F, 0xA5, 0xFF};
  EXPECT_EQ(engine.BytesToHex(bytes, true).view(), "009FA5FF");
  EXPECT_EQ(engine.BytesToHex(bytes, false).view(), "00 9F A5 FF");
  EXPECT_EQ(engine.BytesToHex(Bytes{0x7E}, false).view(), "7E");
  EXPECT_TRUE(engine.BytesToHex({}, true).empty());
  EXPECT_TRUE(engine.BytesToHex({}, false).empty());
}

TEST(HexUtilities, BytesSurviveTheRoundTripInBothForms) {
  std::mt19937 random(20261211);
  CipherEngine engine;
  for (std::size_t length : {1u, 2u, 17u, 256u}) {
    Bytes bytes(length);
    for (std::uint8_t &b : bytes)
      b = static_cast<std::uint8_t>(random());
    for (bool packed : {true, false}) {
      ByteString text = engine.BytesToHex(bytes, packed);
      EXPECT_EQ(ToVector(engine.HexToBytes(text)), bytes) << length << (packed ? " packed" : " spaced");
    }
  }
}

// HexToBytes must reach StripSpaces through the engine's operation table.
TEST(HexToBytes, StripsThroughTheOverridableOperation) {
  class StripsDashes : public CipherEngine {
  public:
    ByteString StripSpaces(std::string_view text) override {
      std::string kept;
      for (char c : text)
        if (c != '-')
          kept += c;
      return ByteString(std::string_view(kept));
    }
  };
  StripsDashes engine;
  ByteString text("AB-CD");
  EXPECT_EQ(ToVector(engine.HexToBytes(text)), (Bytes{0xAB, 0xCD}));
  EXPECT_EQ(text.view(), "ABCD");
}

// Each operation is run with every allocation from the first to the last
// refused in turn: the result is empty, nothing leaks, and the text given to
// HexToBytes is not lost.
TEST(HexUtilities, RefusedAllocationsGiveEmptyResultsAndLoseNothing) {
  const Bytes bytes = {0x12, 0x34};
  for (std::size_t grants = 0; grants < 2; ++grants) {
    auto heap = testing::TestHeap::GrantingOnly(grants);
    CipherEngine engine(heap);
    ByteString text("12 34");
    EXPECT_TRUE(engine.HexToBytes(text).empty()) << grants;
    EXPECT_EQ(text.view(), "12 34") << grants;
    if (grants == 0) {
      EXPECT_TRUE(engine.StripSpaces("a b").empty());
      EXPECT_TRUE(engine.BytesToHex(bytes, true).empty());
      EXPECT_TRUE(engine.BytesToHex(bytes, false).empty());
    }
    EXPECT_EQ(heap.liveBlocks(), 0u);
  }
  // The same calls succeed once the heap grants what they need.
  auto heap = testing::TestHeap::GrantingOnly(2);
  CipherEngine engine(heap);
  ByteString text("12 34");
  EXPECT_EQ(ToVector(engine.HexToBytes(text)), bytes);
  EXPECT_EQ(text.view(), "1234");
}

} // namespace
} // namespace filecrypter
