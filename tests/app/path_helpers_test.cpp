#include "app/path_helpers.h"

#include <gtest/gtest.h>

namespace filecrypter {
namespace {

struct PathCase {
  std::string_view path, lastComponent, folderPart, fileTitle, fileExtension;
};

class PathHelpersTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathHelpersTest, SplitsThePath) {
  const PathCase &c = GetParam();
  EXPECT_EQ(LastComponent(c.path, "/"), c.lastComponent);
  EXPECT_EQ(FolderPart(c.path), c.folderPart);
  EXPECT_EQ(FileTitle(c.path), c.fileTitle);
  EXPECT_EQ(FileExtension(c.path), c.fileExtension);
  // Title and extension always cut the same file-name part.
  EXPECT_EQ(std::string(FileTitle(c.path)) + std::string(FileExtension(c.path)),
            FileNamePart(c.path));
}

INSTANTIATE_TEST_SUITE_P(
    Table, PathHelpersTest,
    ::testing::Values(PathCase{"/docs/report.txt", "report.txt", "/docs/", "report", ".txt"},
                      PathCase{"/docs/notes", "notes", "/docs/", "notes", ""},
                      PathCase{"/docs/archive.tar.gz", "archive.tar.gz", "/docs/", "archive.tar", ".gz"},
                      PathCase{"/docs/.profile", ".profile", "/docs/", "", ".profile"},
                      PathCase{"/my.dir/notes", "notes", "/my.dir/", "notes", ""},
                      PathCase{"/photos/trip", "trip", "/photos/", "trip", ""},
                      PathCase{"/b/b", "b", "/b/", "b", ""},
                      PathCase{"/a/b/", "b/", "/a/", "b/", ""},
                      PathCase{"/a/b.x/", "b.x/", "/a/", "b.x/", ""},
                      PathCase{"/", "", "/", "/", ""},
                      PathCase{"report.txt", "", "report.txt", "report", ".txt"},
                      PathCase{"", "", "", "", ""},
                      // A dot that a space follows starts no extension.
                      PathCase{"/d/a.b c", "a.b c", "/d/", "a.b c", ""},
                      PathCase{"/d/a.b c.d", "a.b c.d", "/d/", "a.b c", ".d"},
                      PathCase{"/d/name.", "name.", "/d/", "name", "."},
                      PathCase{"/文档/报告.txt", "报告.txt", "/文档/", "报告", ".txt"},
                      PathCase{"/文档/加密【报告】", "加密【报告】", "/文档/", "加密【报告】", ""}));

TEST(TextPartsTest, RightAndLeftParts) {
  EXPECT_EQ(RightPart("abc", 0), "");
  EXPECT_EQ(RightPart("abc", -3), "");
  EXPECT_EQ(RightPart("abc", 2), "bc");
  EXPECT_EQ(RightPart("abc", 10), "abc");
  EXPECT_EQ(LeftPart("abc", 1), "a");
  EXPECT_EQ(LeftPart("abc", 0), "");
  EXPECT_EQ(LeftPart("abc", 10), "abc");
}

} // namespace
} // namespace filecrypter
