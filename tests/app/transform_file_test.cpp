//===- tests/app/transform_file_test.cpp - Files through the container in pieces ===//

#include "app/commands.h"
#include "app/transform_file.h"
#include "host/posix_file_system.h"
#include "tests/support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace filecrypter {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::TempFolder;

std::span<const std::uint8_t> AsBytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t *>(text.data()), text.size()};
}

std::string RandomText(std::size_t n, std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::string text(n, '\0');
  for (char &c : text)
    c = static_cast<char>(rng());
  return text;
}

class TransformFileTest : public ::testing::Test {
protected:
  // Small pieces, so that files of a few blocks cross several boundaries.
  static constexpr std::size_t kPiece = 32;

  Status Transform(CommandKind kind, const std::string &input, const std::string &output,
                   std::size_t piece = kPiece, const FileProgress &progress = {}) {
    std::vector<std::uint8_t> buffer(piece);
    return TransformFile(fs_, *key_, buffer, kind, input, output, progress);
  }

  // What the whole-buffer operations make of `bytes`.
  std::string Whole(CommandKind kind, std::string_view bytes) {
    CipherEngine engine;
    const ByteString result = kind == CommandKind::kEncrypt ? EncryptBytes(engine, AsBytes(bytes), password_)
                                                            : DecryptBytes(engine, AsBytes(bytes), password_);
    return std::string(result.view());
  }

  const ByteString password_{"a password longer than sixteen bytes"};
  const std::optional<AesContainerKey> key_ = AesContainerKey::Make(password_, 128);
  TempFolder temp_;
  PosixFileSystem fs_;
};

TEST_F(TransformFileTest, PiecesGiveTheWholeFileBytesAroundEveryBoundary) {
  for (std::size_t size : {1u, 15u, 16u, 17u, 31u, 32u, 33u, 63u, 64u, 65u, 96u, 97u}) {
    SCOPED_TRACE(::testing::Message() << "size " << size);
    const std::string plain = RandomText(size, static_cast<std::uint32_t>(size));
    const std::string input = temp_.Write("plain", plain);
    ASSERT_TRUE(Transform(CommandKind::kEncrypt, input, temp_.Path("sealed")));
    const std::string sealed = TempFolder::Read(temp_.Path("sealed"));
    EXPECT_EQ(sealed, Whole(CommandKind::kEncrypt, plain));

    // Opened in pieces of another size, with bytes after the last block that
    // the container ignores.
    temp_.Write("sealed+", sealed + "tail");
    ASSERT_TRUE(Transform(CommandKind::kDecrypt, temp_.Path("sealed+"), temp_.Path("opened"), 48));
    EXPECT_EQ(TempFolder::Read(temp_.Path("opened")), plain);
  }
}

TEST_F(TransformFileTest, ContainersThatCannotBeOpenedWriteNothing) {
  const std::string sealed = Whole(CommandKind::kEncrypt, "twenty bytes of text");
  auto storing = [&](std::uint32_t length) {
    std::string edited = sealed;
    for (int i = 0; i < 4; ++i)
      edited[i] = static_cast<char>(length >> (8 * i));
    return edited;
  };
  const std::string cases[] = {
      sealed.substr(0, 23), // shorter than one block
      sealed.substr(0, 5),  // shorter than the header
      storing(33),          // more than the whole blocks hold
      storing(0x80000000u), // negative
      sealed.substr(0, 39), // cut inside the last block
      storing(0),           // claims nothing, yet has blocks
  };
  for (const std::string &container : cases) {
    const std::string input = temp_.Write("bad", container);
    const Status status = Transform(CommandKind::kDecrypt, input, temp_.Path("out"));
    EXPECT_THAT(status.reason(), HasSubstr("not a file this program encrypted")) << container.size();
    EXPECT_THAT(temp_.Names(), ElementsAre("bad"));
  }
}

TEST_F(TransformFileTest, AFileThatChangesSizeWhileReadIsAFailure) {
  struct Case {
    CommandKind kind;
    bool grow;
    std::string_view reason;
  } cases[] = {
      {CommandKind::kEncrypt, true, "it grew while it was read"},
      {CommandKind::kEncrypt, false, "it shrank while it was read"},
      {CommandKind::kDecrypt, true, "it grew while it was read"},
      {CommandKind::kDecrypt, false, "it shrank while it was read"},
  };
  const std::string plain = RandomText(100, 7);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.reason);
    const std::string content = c.kind == CommandKind::kEncrypt ? plain : Whole(CommandKind::kEncrypt, plain);
    const std::string input = temp_.Write("in", content);
    // After the first piece, the file is appended to or cut.
    const FileProgress change = [&](std::uint64_t done) {
      if (done <= kPiece + kContainerHeaderSize)
        std::filesystem::resize_file(input, c.grow ? content.size() + 1 : content.size() - 20);
    };
    const Status status = Transform(c.kind, input, temp_.Path("out"), kPiece, change);
    EXPECT_EQ(status.reason(), c.reason);
    EXPECT_THAT(temp_.Names(), ElementsAre("in"));
  }
}

TEST_F(TransformFileTest, ProgressMovesWithinALargeFile) {
  // Two and a half pieces of the commands' own size.
  const std::string input = temp_.Write("large.bin", RandomText(kFilePieceSize * 5 / 2, 3));
  std::vector<CommandProgress> steps;
  ApplicationState state(fs_);
  state.passwordBytes = password_;
  state.droppedPath = input;
  ASSERT_TRUE(RunCommand(state, CommandKind::kEncrypt, false, [&](const CommandProgress &p) {
                steps.push_back(p);
              }).ok());
  // The plan, a step after each piece but the last, then the file's end.
  const std::uint64_t size = kFilePieceSize * 5 / 2;
  ASSERT_EQ(steps.size(), 4u);
  EXPECT_EQ(steps[0].bytesDone, 0u);
  for (std::size_t i : {1u, 2u}) {
    EXPECT_GT(steps[i].bytesDone, steps[i - 1].bytesDone);
    EXPECT_LT(steps[i].bytesDone, size);
    EXPECT_EQ(steps[i].filesDone, 0u);
  }
  EXPECT_EQ(steps[3].bytesDone, size);
  EXPECT_EQ(steps[3].filesDone, 1u);
  EXPECT_EQ(TempFolder::Read(temp_.Path("加密【large】.bin")),
            Whole(CommandKind::kEncrypt, TempFolder::Read(input)));
}

} // namespace
} // namespace filecrypter
