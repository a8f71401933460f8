#include "app/commands.h"
#include "app/default_password.h"
#include "app/status_text.h"
#include "cipher/aes_container.h"
#include "host/text_encoding.h"
#include "tests/support/failing_file_system.h"
#include "tests/support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace filecrypter {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing::FailingFileSystem;
using testing::TempFolder;

std::span<const std::uint8_t> AsBytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t *>(text.data()), text.size()};
}

class CommandsTest : public ::testing::Test {
protected:
  CommandsTest() { state_.passwordBytes = TextToBytes("秘密 password"); }

  CommandReport Run(CommandKind kind, std::string dropped, bool folderMode = false) {
    state_.droppedPath = std::move(dropped);
    return RunCommand(state_, kind, folderMode);
  }

  // What the cipher makes of `plain`, computed by an engine of its own.
  std::string Encrypted(std::string_view plain) {
    CipherEngine engine;
    return std::string(engine.AesEncrypt(AsBytes(plain), state_.passwordBytes, 128).view());
  }

  std::vector<std::string> Paths(std::initializer_list<std::string_view> relatives) {
    std::vector<std::string> paths;
    for (std::string_view relative : relatives)
      paths.push_back(temp_.Path(relative));
    return paths;
  }

  TempFolder temp_;
  FailingFileSystem fs_;
  ApplicationState state_{fs_};
};

TEST_F(CommandsTest, SingleFileNamesAndContents) {
  struct Case {
    std::string_view input, output;
  } cases[] = {
      {"report.txt", "加密【report】.txt"},
      {"notes", "加密【notes】"},
      {"archive.tar.gz", "加密【archive.tar】.gz"},
      {".profile", "加密【】.profile"},
      {"报告 final.docx", "加密【报告 final】.docx"},
  };
  for (const Case &c : cases) {
    const std::string content = "content of " + std::string(c.input);
    const CommandReport report = Run(CommandKind::kEncrypt, temp_.Write(c.input, content));
    EXPECT_TRUE(report.ok()) << c.input;
    EXPECT_THAT(report.writtenFiles, ElementsAre(temp_.Path(c.output)));
    EXPECT_EQ(TempFolder::Read(temp_.Path(c.output)), Encrypted(content)) << c.input;
  }
}

TEST_F(CommandsTest, DecryptingRestoresTheFile) {
  std::string data(100'000, '\0');
  for (std::size_t i = 0; i < data.size(); ++i)
    data[i] = static_cast<char>(i * 7);
  temp_.Write("docs/data.bin", data);
  ASSERT_TRUE(Run(CommandKind::kEncrypt, temp_.Path("docs/data.bin")).ok());
  ASSERT_TRUE(Run(CommandKind::kDecrypt, temp_.Path("docs/加密【data】.bin")).ok());
  EXPECT_EQ(TempFolder::Read(temp_.Path("docs/解密【加密【data】】.bin")), data);
  // The password box's default sentence is a password like any other.
  state_.passwordBytes = TextToBytes(kDefaultPassword);
  ASSERT_TRUE(Run(CommandKind::kEncrypt, temp_.Path("docs/data.bin")).ok());
  ASSERT_TRUE(Run(CommandKind::kDecrypt, temp_.Path("docs/加密【data】.bin")).ok());
  EXPECT_EQ(TempFolder::Read(temp_.Path("docs/解密【加密【data】】.bin")), data);
}

TEST_F(CommandsTest, EmptyFilesGiveEmptyOutputs) {
  for (CommandKind kind : {CommandKind::kEncrypt, CommandKind::kDecrypt}) {
    const CommandReport report = Run(kind, temp_.Write("empty.txt", ""));
    ASSERT_TRUE(report.ok());
    ASSERT_EQ(report.filesWritten(), 1u);
    EXPECT_EQ(TempFolder::Read(report.writtenFiles[0]), "");
  }
  // A non-empty file that claims to hold nothing is not one of ours: the
  // program never seals an empty file.
  const std::string container(24, '\0');
  temp_.Write("zero.bin", container);
  const CommandReport report = Run(CommandKind::kDecrypt, temp_.Path("zero.bin"));
  EXPECT_FALSE(report.ok());
  EXPECT_FALSE(std::filesystem::exists(temp_.Path("解密【zero】.bin")));
}

TEST_F(CommandsTest, NothingDroppedIsRefusedWithoutTouchingAnything) {
  // Relative names would land in the current folder: make it the scratch one.
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(temp_.Path());
  state_.fileList = {"kept"};
  for (bool folderMode : {false, true}) {
    const CommandReport report = Run(CommandKind::kEncrypt, "", folderMode);
    EXPECT_TRUE(report.refused);
    EXPECT_FALSE(report.ok());
    EXPECT_EQ(FinalStatus(report).text, "× 请先拖入文件");
    EXPECT_EQ(FinalStatus(report).colour, 0x0000C0u);
  }
  std::filesystem::current_path(previous);
  EXPECT_THAT(temp_.Names(), IsEmpty());
  EXPECT_THAT(state_.fileList, ElementsAre("kept"));
}

TEST_F(CommandsTest, UnreadableInputsFailAndWriteNothing) {
  temp_.MakeFolder("a folder");
  // Too large for the container's length field, yet costs no disk: a sparse file.
  const std::string huge = temp_.Write("huge.bin", "");
  std::filesystem::resize_file(huge, kMaxContainerPlaintext + 1);
  struct Case {
    std::string input;
    std::string_view reason;
  } cases[] = {
      {temp_.Path("missing.txt"), "cannot read"},
      {temp_.Path("a folder"), "cannot read"},
      {huge, "too large to encrypt (2147483647 bytes, at most 2147483646)"},
  };
  for (const Case &c : cases) {
    const CommandReport report = Run(CommandKind::kEncrypt, c.input);
    ASSERT_EQ(report.failures.size(), 1u) << c.input;
    EXPECT_EQ(report.failures[0].path, c.input);
    EXPECT_THAT(report.failures[0].reason, HasSubstr(c.reason));
    EXPECT_EQ(report.filesWritten(), 0u);
  }
  EXPECT_EQ(fs_.calls(), 0);
  EXPECT_EQ(temp_.Names(), (std::vector<std::string>{"a folder", "huge.bin"}));
}

TEST_F(CommandsTest, RejectedContainersFailAndWriteNothing) {
  std::string claimsTooMuch = Encrypted("sixteen bytes!!!");
  claimsTooMuch[0] = 17; // more than its one block holds
  for (const std::string &input :
       {temp_.Write("plain.txt", "not a container"), temp_.Write("bad.bin", claimsTooMuch)}) {
    const CommandReport report = Run(CommandKind::kDecrypt, input);
    ASSERT_EQ(report.failures.size(), 1u) << input;
    EXPECT_THAT(report.failures[0].reason, HasSubstr("not a file this program encrypted"));
  }
  EXPECT_EQ(fs_.calls(), 0);
}

TEST_F(CommandsTest, WriteFailuresAreCountedAndTheCommandGoesOn) {
  temp_.Write("in/1.txt", "one");
  temp_.Write("in/2.txt", "two");
  temp_.Write("in/3.txt", "three");
  fs_.FailWrite(2, 0);
  const CommandReport report = Run(CommandKind::kEncrypt, temp_.Path("in"), true);
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_THAT(report.failures[0].reason, HasSubstr("No space left on device"));
  EXPECT_EQ(report.filesWritten(), 2u);
  EXPECT_EQ(temp_.Names("加密【in】").size(), 2u);
  const StatusLine status = FinalStatus(report);
  EXPECT_EQ(status.text, "× 1 个文件失败");
  EXPECT_EQ(status.colour, kColourFailed);
  EXPECT_THAT(FailureDetails(report), HasSubstr(report.failures[0].path + ": "));
}

TEST_F(CommandsTest, AWriteBreakingMidwayKeepsTheEarlierOutput) {
  const std::string input = temp_.Write("report.txt", "first version");
  ASSERT_TRUE(Run(CommandKind::kEncrypt, input).ok());
  const std::string earlier = TempFolder::Read(temp_.Path("加密【report】.txt"));

  temp_.Write("report.txt", std::string(5000, 'n'));
  fs_.FailWrite(fs_.calls() + 1, 1000);
  const CommandReport report = Run(CommandKind::kEncrypt, input);
  EXPECT_EQ(report.failures.size(), 1u);
  EXPECT_EQ(TempFolder::Read(temp_.Path("加密【report】.txt")), earlier);
  EXPECT_EQ(temp_.Names(), (std::vector<std::string>{"report.txt", "加密【report】.txt"}));
}

TEST_F(CommandsTest, FolderModeFlattensTheTreeAndReportsProgress) {
  temp_.Write("photos/trip/a.jpg", "aaa");
  temp_.Write("photos/trip/day2/b.jpg", "bbbbb");
  temp_.Write("photos/trip/day2/night/c", "");
  std::vector<CommandProgress> steps;
  state_.droppedPath = temp_.Path("photos/trip");
  const CommandReport report = RunCommand(
      state_, CommandKind::kEncrypt, true,
      [&](const CommandProgress &progress) { steps.push_back(progress); });

  ASSERT_TRUE(report.ok());
  EXPECT_THAT(report.outputFolders, ElementsAre(temp_.Path("photos/加密【trip】/")));
  EXPECT_EQ(temp_.Names("photos/加密【trip】"), (std::vector<std::string>{"a.jpg", "b.jpg", "c"}));
  EXPECT_EQ(TempFolder::Read(temp_.Path("photos/加密【trip】/b.jpg")), Encrypted("bbbbb"));
  EXPECT_EQ(state_.fileCount, 3);
  EXPECT_EQ(state_.fileList.size(), 3u);

  ASSERT_EQ(steps.size(), 4u); // the plan, then each file
  EXPECT_EQ(steps.front().filesDone, 0u);
  EXPECT_EQ(steps.back().filesDone, 3u);
  EXPECT_EQ(steps.back().filesTotal, 3u);
  EXPECT_EQ(steps.back().bytesTotal, 8u);
  EXPECT_EQ(steps.back().bytesDone, 8u);

  // Decrypting the output folder gives the files back.
  ASSERT_TRUE(Run(CommandKind::kDecrypt, temp_.Path("photos/加密【trip】"), true).ok());
  EXPECT_EQ(TempFolder::Read(temp_.Path("photos/解密【加密【trip】】/b.jpg")), "bbbbb");
}

TEST_F(CommandsTest, SameNamesInOneCommandAreNumberedAndReplacedByTheNext) {
  temp_.Write("t/x.txt", "top");
  temp_.Write("t/a/x.txt", "in a");
  temp_.Write("t/b/x.txt", "in b");
  temp_.Write("t/b/x (2).txt", "the real x (2)");
  for (int run = 0; run < 2; ++run) {
    const CommandReport report = Run(CommandKind::kEncrypt, temp_.Path("t"), true);
    ASSERT_TRUE(report.ok());
    ASSERT_EQ(report.filesWritten(), 4u);
    EXPECT_EQ(temp_.Names("加密【t】").size(), 4u) << "run " << run;
    // Each file went to its own output, none was lost.
    for (std::size_t i = 0; i < state_.fileList.size(); ++i)
      EXPECT_EQ(TempFolder::Read(report.writtenFiles[i]),
                Encrypted(TempFolder::Read(state_.fileList[i])));
  }
  EXPECT_EQ(temp_.Names("加密【t】"),
            (std::vector<std::string>{"x (2) (2).txt", "x (2).txt", "x (3).txt", "x.txt"}));
}

TEST_F(CommandsTest, FolderModeOnAFileFailsWithoutAnOutputFolder) {
  const CommandReport report = Run(CommandKind::kEncrypt, temp_.Write("report.txt", "r"), true);
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_EQ(report.failures[0].reason, "not a folder");
  EXPECT_THAT(report.outputFolders, IsEmpty());
  EXPECT_EQ(temp_.Names(), std::vector<std::string>{"report.txt"});
}

TEST_F(CommandsTest, OutputFolderThatCannotBeMadeFailsEveryFile) {
  temp_.Write("f/1", "1");
  temp_.Write("f/2", "2");
  temp_.Write("加密【f】", "a file in the way");
  const CommandReport report = Run(CommandKind::kEncrypt, temp_.Path("f"), true);
  EXPECT_EQ(report.failures.size(), 2u);
  EXPECT_THAT(report.failures[0].reason, HasSubstr("cannot create"));
  EXPECT_EQ(TempFolder::Read(temp_.Path("加密【f】")), "a file in the way");
}

TEST_F(CommandsTest, SeveralDroppedItemsRunInDropOrder) {
  const std::string dropped = temp_.Write("a.txt", "a") + "\r\n" + temp_.Write("b.txt", "b") +
                              "\r\n" + temp_.Path("missing") + "\r\n";
  const CommandReport single = Run(CommandKind::kEncrypt, dropped);
  EXPECT_THAT(single.writtenFiles, ElementsAre(temp_.Path("加密【a】.txt"), temp_.Path("加密【b】.txt")));
  ASSERT_EQ(single.failures.size(), 1u);
  EXPECT_EQ(single.failures[0].path, temp_.Path("missing"));

  temp_.Write("d1/x", "1");
  temp_.Write("d2/x", "2");
  const CommandReport folders =
      Run(CommandKind::kEncrypt, temp_.Path("d1") + "\r\n" + temp_.Path("d2") + "\r\n", true);
  EXPECT_TRUE(folders.ok());
  EXPECT_THAT(folders.outputFolders, ElementsAre(temp_.Path("加密【d1】/"), temp_.Path("加密【d2】/")));
  EXPECT_EQ(TempFolder::Read(temp_.Path("加密【d2】/x")), Encrypted("2"));
}

TEST_F(CommandsTest, LinkedFilesAreEncryptedLinkedFoldersSkipped) {
  temp_.Write("real/data.txt", "data");
  temp_.Write("tree/own.txt", "own");
  std::filesystem::create_symlink(temp_.Path("real/data.txt"), temp_.Path("tree/link.txt"));
  std::filesystem::create_symlink(temp_.Path("tree"), temp_.Path("tree/cycle"));
  const CommandReport report = Run(CommandKind::kEncrypt, temp_.Path("tree"), true);
  ASSERT_TRUE(report.ok());
  EXPECT_EQ(temp_.Names("加密【tree】"), (std::vector<std::string>{"link.txt", "own.txt"}));
  EXPECT_EQ(TempFolder::Read(temp_.Path("加密【tree】/link.txt")), Encrypted("data"));
}

TEST(StatusTextTest, FinishedCommands) {
  CommandReport clean;
  EXPECT_EQ(FinalStatus(clean).text, "√ 完成");
  EXPECT_EQ(FinalStatus(clean).colour, 0x808000u);
  CommandReport failed;
  failed.failures.assign(12, {"p", "r"});
  EXPECT_EQ(FinalStatus(failed).text, "× 12 个文件失败");
}

} // namespace
} // namespace filecrypter
