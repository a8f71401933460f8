#include "app/collect_files.h"
#include "host/posix_file_system.h"
#include "tests/support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace filecrypter {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;
using testing::TempFolder;

class CollectFilesTest : public ::testing::Test {
protected:
  std::vector<std::string> Collect(std::string folder) {
    std::vector<std::string> list;
    CollectFiles(state_, std::move(folder), "*.*", list);
    return list;
  }

  // The names of `folder`'s entries as the file system lists them.
  std::vector<std::string> Listed(const std::string &folder) {
    std::vector<std::string> names;
    auto reader = fs_.OpenDirectory(folder);
    while (auto entry = reader->Next())
      names.push_back(entry->name);
    return names;
  }

  TempFolder temp_;
  PosixFileSystem fs_;
  ApplicationState state_{fs_};
};

TEST_F(CollectFilesTest, FilesComeBeforeSubFoldersInListedOrder) {
  const std::string root = temp_.Path("root");
  const std::vector<std::string> files{"a.txt", "b.txt", "c", "d.bin"};
  for (const std::string &name : files)
    temp_.Write("root/" + name, name);
  temp_.Write("root/sub1/deep/x.txt", "x");
  temp_.Write("root/sub1/y.txt", "y");
  temp_.Write("root/sub2/z.txt", "z");

  std::vector<std::string> expected;
  for (const std::string &name : Listed(root))
    if (std::find(files.begin(), files.end(), name) != files.end())
      expected.push_back(root + "/" + name);
  for (const std::string &sub : Listed(root)) {
    if (sub == "sub1") {
      expected.push_back(root + "/sub1/y.txt");
      expected.push_back(root + "/sub1/deep/x.txt");
    } else if (sub == "sub2") {
      expected.push_back(root + "/sub2/z.txt");
    }
  }
  EXPECT_EQ(Collect(root), expected);
  // A trailing separator is not doubled.
  EXPECT_EQ(Collect(root + "/"), expected);
}

TEST_F(CollectFilesTest, DotRulesHiddenFilesAndEmptyFolders) {
  temp_.Write("r/.profile", "p");
  temp_.Write("r/.cache/skipped.txt", "s");
  temp_.Write("r/.cache/deeper/skipped2.txt", "s");
  temp_.MakeFolder("r/empty/emptier");
  EXPECT_THAT(Collect(temp_.Path("r")), ElementsAre(temp_.Path("r/.profile")));
  EXPECT_THAT(Collect(temp_.Path("r/empty")), IsEmpty());
}

TEST_F(CollectFilesTest, NothingFromAFileOrAMissingFolder) {
  const std::string file = temp_.Write("f.txt", "x");
  EXPECT_THAT(Collect(file), IsEmpty());
  EXPECT_THAT(Collect(temp_.Path("missing")), IsEmpty());
}

TEST_F(CollectFilesTest, LinksToFoldersAreNotEnteredLinksToFilesAreCollected) {
  temp_.Write("r/sub/f.txt", "f");
  temp_.Write("outside/o.txt", "o");
  std::filesystem::create_symlink(temp_.Path("r"), temp_.Path("r/sub/loop"));
  std::filesystem::create_symlink(temp_.Path("outside"), temp_.Path("r/elsewhere"));
  std::filesystem::create_symlink(temp_.Path("outside/o.txt"), temp_.Path("r/o-link.txt"));
  EXPECT_THAT(Collect(temp_.Path("r")),
              UnorderedElementsAre(temp_.Path("r/o-link.txt"), temp_.Path("r/sub/f.txt")));
}

TEST_F(CollectFilesTest, LetsEventsThroughOncePerFolderAndKeepsEarlierEntries) {
  temp_.Write("r/a/x", "x");
  temp_.Write("r/b/c/y", "y");
  int calls = 0;
  state_.processPendingEvents = [&] { ++calls; };
  std::vector<std::string> list{"earlier"};
  CollectFiles(state_, temp_.Path("r"), "*.*", list);
  EXPECT_EQ(calls, 4); // r, a, b, c
  EXPECT_THAT(list, UnorderedElementsAre("earlier", temp_.Path("r/a/x"), temp_.Path("r/b/c/y")));
  EXPECT_EQ(list.front(), "earlier");
}

} // namespace
} // namespace filecrypter
