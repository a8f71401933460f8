//===- tests/faults/command_faults_test.cpp - Commands under hostile input -===//
//
// The encrypt and decrypt commands against damaged containers, inputs that
// change under them, awkward names and paths the platform cannot hold.  Each
// case checks that a failure is reported as one and that nothing but the
// expected outputs appears on the disk.
//
//===----------------------------------------------------------------------===//

#include "app/commands.h"
#include "host/text_encoding.h"
#include "tests/support/failing_file_system.h"
#include "tests/support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace filecrypter {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing::FailingFileSystem;
using testing::TempFolder;

class CommandFaultsTest : public ::testing::Test {
protected:
  CommandFaultsTest() { state_.passwordBytes = TextToBytes("fault password"); }

  CommandReport Run(CommandKind kind, std::string dropped, bool folderMode = false,
                    const ProgressCallback &progress = {}) {
    state_.droppedPath = std::move(dropped);
    return RunCommand(state_, kind, folderMode, progress);
  }

  std::string Encrypted(std::string_view plain) {
    CipherEngine engine;
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t *>(plain.data()),
                                              plain.size());
    return std::string(engine.AesEncrypt(bytes, state_.passwordBytes, 128).view());
  }

  TempFolder temp_;
  FailingFileSystem fs_;
  ApplicationState state_{fs_};
};

TEST_F(CommandFaultsTest, ContainersCutShortAreRefusedAtEveryLength) {
  const std::string plain = "twenty bytes of text";
  const std::string container = Encrypted(plain);
  ASSERT_EQ(container.size(), 40u);
  for (std::size_t length = 1; length < container.size(); ++length) {
    TempFolder folder;
    const std::string input = folder.Write("cut.bin", container.substr(0, length));
    const CommandReport report = Run(CommandKind::kDecrypt, input);
    ASSERT_EQ(report.failures.size(), 1u) << "length " << length;
    EXPECT_THAT(report.failures[0].reason, HasSubstr("not a file this program encrypted"));
    EXPECT_THAT(report.writtenFiles, IsEmpty());
    EXPECT_THAT(folder.Names(), ElementsAre("cut.bin")) << "length " << length;
  }
  // The two ends: an empty file stays an empty file, the whole container opens.
  for (const std::size_t length : {std::size_t{0}, container.size()}) {
    TempFolder folder;
    const std::string input = folder.Write("whole.bin", container.substr(0, length));
    ASSERT_TRUE(Run(CommandKind::kDecrypt, input).ok()) << "length " << length;
    EXPECT_EQ(TempFolder::Read(folder.Path("解密【whole】.bin")), length == 0 ? "" : plain);
  }
}

TEST_F(CommandFaultsTest, StoredLengthEdges) {
  const std::string plain = "twenty bytes of text"; // two blocks, 32 bytes of room
  const std::string container = Encrypted(plain);
  const std::string room = plain + std::string(12, '\0');
  struct Case {
    std::uint32_t stored;
    bool opens;
  };
  const Case cases[] = {
      {0, false}, // claims nothing: the program never seals an empty file
      {1, true},           {20, true},          {32, true},
      {33, false},         {0x7FFFFFFF, false}, {0x80000000, false}, {0xFFFFFFFF, false},
  };
  for (const Case &c : cases) {
    std::string edited = container;
    for (int i = 0; i < 4; ++i)
      edited[i] = static_cast<char>(c.stored >> (8 * i));
    TempFolder folder;
    const CommandReport report = Run(CommandKind::kDecrypt, folder.Write("edge.bin", edited));
    if (c.opens) {
      ASSERT_TRUE(report.ok()) << "stored " << c.stored;
      EXPECT_EQ(TempFolder::Read(folder.Path("解密【edge】.bin")), room.substr(0, c.stored));
    } else {
      EXPECT_EQ(report.failures.size(), 1u) << "stored " << c.stored;
      EXPECT_THAT(folder.Names(), ElementsAre("edge.bin")) << "stored " << c.stored;
    }
  }
}

TEST_F(CommandFaultsTest, WritesBreakingAfterSeveralPiecesLeaveNoPartialOutput) {
  // Larger than the pieces files pass through, so that the write breaks
  // after earlier pieces have reached the disk.
  std::string large(3 << 20, '\0');
  for (std::size_t i = 0; i < large.size(); ++i)
    large[i] = static_cast<char>(i * 7 + i / 4096);
  const std::string input = temp_.Write("in/large.bin", large);
  const std::string output = temp_.Path("in/加密【large】.bin");
  temp_.Write("in/加密【large】.bin", "earlier output");

  fs_.FailWrite(fs_.calls() + 1, (5 << 20) / 2);
  CommandReport report = Run(CommandKind::kEncrypt, input);
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_THAT(report.failures[0].reason, HasSubstr("No space left on device"));
  EXPECT_EQ(TempFolder::Read(output), "earlier output");
  EXPECT_THAT(temp_.Names("in"), ElementsAre("large.bin", "加密【large】.bin"));

  // Decrypting into a new output folder: the file is simply not there.
  ASSERT_TRUE(Run(CommandKind::kEncrypt, input).ok());
  std::filesystem::remove(input);
  fs_.FailWrite(fs_.calls() + 1, (3 << 20) - 1);
  report = Run(CommandKind::kDecrypt, temp_.Path("in"), true);
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_THAT(temp_.Names("解密【in】"), IsEmpty());
  // Undisturbed, the same command gives the file back.
  ASSERT_TRUE(Run(CommandKind::kDecrypt, temp_.Path("in"), true).ok());
  EXPECT_EQ(TempFolder::Read(temp_.Path("解密【in】/加密【large】.bin")), large);
}

TEST_F(CommandFaultsTest, InputsVanishingAfterTheyWereCollected) {
  temp_.Write("in/gone.txt", "gone");
  temp_.Write("in/kept.txt", "kept");
  temp_.Write("in/now a folder", "file");
  temp_.Write("in/sub/gone too.txt", "gone too");
  bool planned = false;
  // The first progress call comes once the tree is collected, before any read.
  const ProgressCallback vanish = [&](const CommandProgress &) {
    if (std::exchange(planned, true))
      return;
    std::filesystem::remove(temp_.Path("in/gone.txt"));
    std::filesystem::remove(temp_.Path("in/now a folder"));
    std::filesystem::create_directory(temp_.Path("in/now a folder"));
    std::filesystem::remove_all(temp_.Path("in/sub"));
  };
  const CommandReport report = Run(CommandKind::kEncrypt, temp_.Path("in"), true, vanish);
  ASSERT_TRUE(planned);
  std::vector<std::string> failed;
  for (const FileFailure &failure : report.failures) {
    failed.push_back(failure.path);
    EXPECT_THAT(failure.reason, HasSubstr("cannot read"));
  }
  std::sort(failed.begin(), failed.end());
  EXPECT_THAT(failed, ElementsAre(temp_.Path("in/gone.txt"), temp_.Path("in/now a folder"),
                                  temp_.Path("in/sub/gone too.txt")));
  EXPECT_THAT(temp_.Names("加密【in】"), ElementsAre("kept.txt"));
  EXPECT_EQ(TempFolder::Read(temp_.Path("加密【in】/kept.txt")), Encrypted("kept"));
}

TEST_F(CommandFaultsTest, NamesWithLineBreaksKeepThem) {
  temp_.Write("in/two\nlines.txt", "lf");
  temp_.Write("in/cr\r.txt", "cr");
  temp_.Write("in/both\r\nends\r\n", "crlf");
  const CommandReport folder = Run(CommandKind::kEncrypt, temp_.Path("in"), true);
  ASSERT_TRUE(folder.ok());
  EXPECT_THAT(temp_.Names("加密【in】"), ElementsAre("both\r\nends\r\n", "cr\r.txt", "two\nlines.txt"));
  EXPECT_EQ(TempFolder::Read(temp_.Path("加密【in】/both\r\nends\r\n")), Encrypted("crlf"));

  const CommandReport single = Run(CommandKind::kEncrypt, temp_.Path("in/two\nlines.txt"));
  ASSERT_TRUE(single.ok());
  EXPECT_EQ(TempFolder::Read(temp_.Path("in/加密【two\nlines】.txt")), Encrypted("lf"));
}

// Creates `levels` nested folders of 200-byte names below `root`, the last
// holding `deep.txt`, without ever naming a path longer than the platform
// takes; returns the full path of the file, which is longer than PATH_MAX.
std::string MakeDeepFile(const std::string &root, int levels) {
  const std::string name(200, 'd');
  int folder = ::open(root.c_str(), O_RDONLY | O_DIRECTORY);
  std::string path = root;
  for (int i = 0; i < levels; ++i) {
    EXPECT_EQ(::mkdirat(folder, name.c_str(), 0777), 0);
    const int next = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY);
    ::close(folder);
    folder = next;
    path += "/" + name;
  }
  const int file = ::openat(folder, "deep.txt", O_WRONLY | O_CREAT, 0666);
  EXPECT_EQ(::write(file, "deep", 4), 4);
  ::close(file);
  ::close(folder);
  return path + "/deep.txt";
}

TEST_F(CommandFaultsTest, PathsLongerThanThePlatformTakesFail) {
  // A name that fits, whose output name does not.
  const std::string longName(NAME_MAX - 6, 'n');
  const std::string input = temp_.Write(longName + ".txt", "long");
  CommandReport report = Run(CommandKind::kEncrypt, input);
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_THAT(report.failures[0].reason, HasSubstr("cannot write"));
  EXPECT_THAT(temp_.Names(), ElementsAre(longName + ".txt")); // no temporary file left

  // The same in folder mode: the output folder's name is too long.
  temp_.MakeFolder(longName + "/x");
  temp_.Write(longName + "/x/f", "f");
  report = Run(CommandKind::kEncrypt, temp_.Path(longName + "/x"), true);
  ASSERT_EQ(report.failures.size(), 0u) << report.failures[0].reason;
  report = Run(CommandKind::kEncrypt, temp_.Path(longName), true);
  EXPECT_FALSE(report.ok());
  EXPECT_THAT(report.outputFolders, IsEmpty());

  // A tree deeper than PATH_MAX: what can be reached is written, and the
  // folder that cannot be listed is a failure, not a silent gap.
  const std::string tree = temp_.MakeFolder("tree");
  temp_.Write("tree/top.txt", "top");
  const std::string deep = MakeDeepFile(tree, PATH_MAX / 200 + 1);
  ASSERT_GT(deep.size(), static_cast<std::size_t>(PATH_MAX));
  report = Run(CommandKind::kEncrypt, tree, true);
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_GE(report.failures[0].path.size(), static_cast<std::size_t>(PATH_MAX));
  EXPECT_THAT(report.failures[0].reason, HasSubstr("cannot list"));
  EXPECT_THAT(temp_.Names("加密【tree】"), ElementsAre("top.txt"));
  report = Run(CommandKind::kEncrypt, deep);
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_THAT(report.writtenFiles, IsEmpty());
  // The C++ library cannot remove what it cannot name; rm walks the tree.
  EXPECT_EQ(std::system(("rm -rf '" + tree + "'").c_str()), 0);
}

} // namespace
} // namespace filecrypter
