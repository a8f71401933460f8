#include "host/entry_search.h"
#include "host/posix_file_system.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace filecrypter {
namespace {

using testing::TempFolder;

std::vector<std::string> Search(FileSystem &fs, const std::string &folder,
                                std::string_view pattern, EntryFilter filter) {
  std::vector<std::string> names;
  EntrySearch search;
  for (auto entry = search.FindFirstEntry(fs, folder, pattern, filter); entry;
       entry = search.FindNextEntry())
    names.push_back(entry->name);
  EXPECT_FALSE(search.is_open()); // running out closes the listing
  return names;
}

std::vector<std::string> RawListing(FileSystem &fs, const std::string &folder) {
  std::vector<std::string> names;
  auto reader = fs.OpenDirectory(folder);
  while (auto entry = reader->Next())
    names.push_back(entry->name);
  return names;
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST(EntrySearchTest, FiltersKeepTheFileSystemsOrder) {
  TempFolder folder;
  PosixFileSystem fs;
  for (const char *name : {"b.txt", "a", ".hidden", "c.dat"})
    folder.Write(name, "x");
  folder.MakeFolder("sub");
  folder.MakeFolder(".cache");
  std::filesystem::create_symlink(folder.Path("sub"), folder.Path("to-sub"));
  std::filesystem::create_symlink(folder.Path("a"), folder.Path("to-a"));
  std::filesystem::create_symlink(folder.Path("gone"), folder.Path("broken"));

  const std::vector<std::string> raw = RawListing(fs, folder.Path());
  auto inRawOrder = [&](std::vector<std::string> names) {
    std::vector<std::string> ordered;
    std::copy_if(raw.begin(), raw.end(), std::back_inserter(ordered), [&](const std::string &n) {
      return std::find(names.begin(), names.end(), n) != names.end();
    });
    return ordered;
  };
  const std::vector<std::string> files =
      Search(fs, folder.Path(), "*.*", EntryFilter::kFilesOnly);
  const std::vector<std::string> folders =
      Search(fs, folder.Path(), "*.*", EntryFilter::kFoldersOnly);
  EXPECT_EQ(files, inRawOrder({"b.txt", "a", ".hidden", "c.dat", "to-a", "broken"}));
  EXPECT_EQ(folders, inRawOrder({".", "..", "sub", ".cache", "to-sub"}));
  EXPECT_EQ(Sorted(Search(fs, folder.Path(), "*.txt", EntryFilter::kFilesOnly)),
            std::vector<std::string>{"b.txt"});
}

TEST(EntrySearchTest, ReportsLinksAndEndsQuietly) {
  TempFolder folder;
  PosixFileSystem fs;
  folder.MakeFolder("only/sub");
  std::filesystem::create_symlink(folder.Path("only"), folder.Path("only/sub/up"));

  EXPECT_TRUE(Search(fs, folder.Path("only"), "*.*", EntryFilter::kFilesOnly).empty());
  EntrySearch search;
  auto link = search.FindFirstEntry(fs, folder.Path("only/sub"), "u*", EntryFilter::kFoldersOnly);
  ASSERT_TRUE(link);
  EXPECT_EQ(link->name, "up");
  EXPECT_TRUE(link->isFolder);
  EXPECT_TRUE(link->isLink);
  search.EndFind();
  EXPECT_FALSE(search.FindNextEntry());

  for (const std::string &bad : {folder.Path("missing"), folder.Write("file", "x"), std::string()})
    EXPECT_FALSE(search.FindFirstEntry(fs, bad, "*.*", EntryFilter::kFoldersOnly)) << bad;
}

TEST(MatchesNamePatternTest, Wildcards) {
  struct Case {
    std::string_view name, pattern;
    bool matches;
  } cases[] = {
      {"noext", "*.*", true}, {".profile", "*.*", true}, {"", "*", true},
      {"a.txt", "*.txt", true}, {"a.txt.gz", "*.txt", false}, {"abc", "a?c", true},
      {"ac", "a?c", false},   {"aXbXc", "a*b*c", true},   {"ab", "a*b*c", false},
      {"报告.txt", "报*", true},
  };
  for (const Case &c : cases)
    EXPECT_EQ(MatchesNamePattern(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
}

} // namespace
} // namespace filecrypter
