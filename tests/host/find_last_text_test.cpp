#include "host/find_last_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string_view>

namespace filecrypter {
namespace {

struct FindCase {
  std::string_view text;
  std::string_view pattern;
  std::ptrdiff_t start;
  TextEncoding encoding;
  std::ptrdiff_t expected;
};

constexpr auto kUtf8 = TextEncoding::kUtf8;
constexpr auto kGbk = TextEncoding::kGbk;

void PrintTo(const FindCase &c, std::ostream *os) {
  *os << "'" << c.text << "' '" << c.pattern << "' " << c.start;
}

class FindLastTextTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindLastTextTest, FindsTheLastWholeMatchInsideTheWindow) {
  const FindCase &c = GetParam();
  EXPECT_EQ(FindLastText(c.text, c.pattern, c.start, c.encoding), c.expected)
      << "text '" << c.text << "' pattern '" << c.pattern << "' start " << c.start;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindLastTextTest,
    ::testing::Values(
        // The window ends before `start`, so a trailing separator is not found.
        FindCase{"C:\\a\\b", "\\", 6, kGbk, 5}, FindCase{"C:\\a\\b\\", "\\", 7, kGbk, 5},
        FindCase{"/a/b", "/", 4, kUtf8, 3}, FindCase{"/a/b/", "/", 5, kUtf8, 3},
        FindCase{"/", "/", 1, kUtf8, -1}, FindCase{"abc", "c", 100, kUtf8, 3},
        FindCase{"abab", "ab", 5, kUtf8, 3}, FindCase{"abc", "x", 4, kUtf8, -1},
        // An empty pattern only tells whether the window is empty.
        FindCase{"abc", "", 2, kUtf8, 1}, FindCase{"abc", "", 1, kUtf8, -1},
        FindCase{"", "", 5, kUtf8, -1},
        // GBK: the only backslash byte is the trail byte of 0x81 0x5C.
        FindCase{"ab\x81\x5C"
                 "cd",
                 "\\", 7, kGbk, -1},
        FindCase{"\\ab\x81\x5C"
                 "cd",
                 "\\", 8, kGbk, 1},
        // The same bytes are no valid UTF-8 character, so each stands alone.
        FindCase{"ab\x81\x5C"
                 "cd",
                 "\\", 7, kUtf8, 4},
        // A GBK lead byte at the very end ends the scan.
        FindCase{"a\xC7", "a", 3, kGbk, 1},
        // UTF-8 paths with Chinese names: 文档 and 报告 are three bytes each.
        FindCase{"/文档/报告.txt", "/", 18, kUtf8, 8},
        FindCase{"/文档/报告/", "/", 15, kUtf8, 8},
        // Neither the start nor the end of a match may fall inside a character:
        // 报 is E6 8A A5, 告 is E5 91 8A.
        FindCase{"报告", "\x8A", 7, kUtf8, -1}, FindCase{"报告", "\xE5\x91", 7, kUtf8, -1},
        FindCase{"报告", "告", 7, kUtf8, 4},
        // A window that cuts 告 in two cannot hold a match of it.
        FindCase{"报告", "告", 6, kUtf8, -1}));

} // namespace
} // namespace filecrypter
