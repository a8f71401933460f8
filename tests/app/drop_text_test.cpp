#include "app/drop_text.h"

#include <gtest/gtest.h>

namespace filecrypter {
namespace {

TEST(SplitDroppedTextTest, OnePathOrLinesEndingInCrLf) {
  using Items = std::vector<std::string>;
  struct Case {
    std::string_view text;
    Items items;
  } cases[] = {
      {"", {}},
      {"/docs/report.txt", {"/docs/report.txt"}},
      {"/a\r\n", {"/a"}},
      {"/a\r\n/b c\r\n/文档\r\n", {"/a", "/b c", "/文档"}},
      {"/a\r\n\r\n/b\r\n", {"/a", "/b"}},
      // Without the final line end it is one item, whatever it holds.
      {"/odd\r\nname", {"/odd\r\nname"}},
      {"/a\n/b\n", {"/a\n/b\n"}},
  };
  for (const Case &c : cases)
    EXPECT_EQ(SplitDroppedText(c.text), c.items) << c.text;
}

} // namespace
} // namespace filecrypter
