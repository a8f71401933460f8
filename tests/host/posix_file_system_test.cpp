#include "host/file_buffer.h"
#include "host/posix_file_system.h"
#include "tests/support/failing_file_system.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace filecrypter {
namespace {

using testing::FailingFileSystem;
using testing::TempFolder;

std::span<const std::uint8_t> AsBytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t *>(text.data()), text.size()};
}

class PosixFileSystemTest : public ::testing::Test {
protected:
  TempFolder folder_;
  FailingFileSystem fs_;
};

TEST_F(PosixFileSystemTest, LoadFileReadsWholeFilesAndLinksToThem) {
  const std::string file = folder_.Write("a.bin", std::string("x\0y", 3));
  std::filesystem::create_symlink(file, folder_.Path("link"));
  folder_.Write("empty", "");
  FileBuffer buffer;
  ASSERT_TRUE(buffer.LoadFile(fs_, file));
  EXPECT_EQ(buffer.GetBytes().view(), std::string_view("x\0y", 3));
  ASSERT_TRUE(buffer.LoadFile(fs_, folder_.Path("link")));
  EXPECT_EQ(buffer.GetBytes().view(), std::string_view("x\0y", 3));
  ASSERT_TRUE(buffer.LoadFile(fs_, folder_.Path("empty")));
  EXPECT_TRUE(buffer.GetBytes().empty());
}

TEST_F(PosixFileSystemTest, FailedLoadsLeaveTheContentAsItWas) {
  const std::string fifo = folder_.Path("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // Larger than a FileBuffer holds, yet costs no disk: a sparse file.
  const std::string huge = folder_.Write("huge", "");
  std::filesystem::resize_file(huge, kFileBufferCapacity + 1);

  FileBuffer buffer;
  ASSERT_TRUE(buffer.LoadFile(fs_, folder_.Write("kept", "kept")));
  for (const std::string &path :
       {std::string(), folder_.Path("missing"), folder_.Path(), fifo, huge}) {
    const Status status = buffer.LoadFile(fs_, path);
    EXPECT_FALSE(status) << path;
    EXPECT_FALSE(status.reason().empty()) << path;
    EXPECT_EQ(buffer.GetBytes().view(), "kept") << path;
  }
  EXPECT_EQ(buffer.LoadFile(fs_, folder_.Path()).reason(), "is a folder");
  buffer.Clear();
  EXPECT_TRUE(buffer.GetBytes().empty());
}

TEST_F(PosixFileSystemTest, WriteReplacesExactlyAndKeepsPermissions) {
  const std::string target = folder_.Write("out", "a much longer old content");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  ASSERT_TRUE(fs_.WriteWholeFile(target, AsBytes("new")));
  EXPECT_EQ(TempFolder::Read(target), "new");
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);

  ASSERT_TRUE(fs_.WriteWholeFile(target, {}));
  EXPECT_EQ(TempFolder::Read(target), "");
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"out"}); // no temporary file left
}

TEST_F(PosixFileSystemTest, FailedWritesTouchNothing) {
  folder_.MakeFolder("dir");
  EXPECT_FALSE(fs_.WriteWholeFile("", AsBytes("x")));
  EXPECT_FALSE(fs_.WriteWholeFile(folder_.Path("missing/out"), AsBytes("x")));
  EXPECT_FALSE(fs_.WriteWholeFile(folder_.Path("dir"), AsBytes("x")));
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"dir"});
  EXPECT_TRUE(folder_.Names("dir").empty());
}

TEST_F(PosixFileSystemTest, WriteFailingMidwayKeepsTheOldFileAndLeavesNoTrace) {
  const std::string target = folder_.Write("out", "old content");
  fs_.FailWrite(1, 3);
  const Status status = fs_.WriteWholeFile(target, AsBytes("new content that is longer"));
  EXPECT_FALSE(status);
  EXPECT_EQ(status.reason(), "No space left on device");
  EXPECT_EQ(TempFolder::Read(target), "old content");
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"out"});

  fs_.FailWrite(2, 0); // a new file is not created at all
  EXPECT_FALSE(fs_.WriteWholeFile(folder_.Path("fresh"), AsBytes("data")));
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"out"});
}

TEST_F(PosixFileSystemTest, ReplacementTakesThePlaceOnlyOnCommit) {
  const std::string target = folder_.Write("out", "old content");
  std::unique_ptr<FileWriter> writer;
  ASSERT_TRUE(fs_.CreateReplacement(target, writer));
  ASSERT_TRUE(writer->Write(AsBytes("new ")));
  ASSERT_TRUE(writer->Write(AsBytes("pieces")));
  EXPECT_EQ(TempFolder::Read(target), "old content");
  ASSERT_TRUE(writer->Commit());
  EXPECT_EQ(TempFolder::Read(target), "new pieces");
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"out"});

  // Abandoned, or failing part way: the target keeps its content, no trace.
  ASSERT_TRUE(fs_.CreateReplacement(target, writer));
  ASSERT_TRUE(writer->Write(AsBytes("abandoned")));
  writer.reset();
  fs_.FailWrite(fs_.calls() + 1, 5);
  ASSERT_TRUE(fs_.CreateReplacement(target, writer));
  EXPECT_TRUE(writer->Write(AsBytes("12345")));
  EXPECT_EQ(writer->Write(AsBytes("6")).reason(), "No space left on device");
  EXPECT_FALSE(writer->Commit());
  writer.reset();
  EXPECT_EQ(TempFolder::Read(target), "new pieces");
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"out"});

  EXPECT_FALSE(fs_.CreateReplacement(folder_.Path(), writer));
  EXPECT_FALSE(fs_.CreateReplacement(folder_.Path("missing/out"), writer));
}

TEST_F(PosixFileSystemTest, ReaderReadsInPiecesAndRefusesWhatIsNoFile) {
  const std::string file = folder_.Write("f", "0123456789");
  std::unique_ptr<FileReader> reader;
  ASSERT_TRUE(fs_.OpenForReading(file, reader));
  EXPECT_EQ(reader->size(), 10u);
  std::uint8_t buffer[4];
  std::string seen;
  std::size_t got = 0;
  do {
    ASSERT_TRUE(reader->Read(buffer, got));
    seen.append(reinterpret_cast<const char *>(buffer), got);
  } while (got == sizeof buffer);
  EXPECT_EQ(seen, "0123456789");

  const std::string fifo = folder_.Path("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string &path : {std::string(), folder_.Path("missing"), folder_.Path(), fifo}) {
    std::unique_ptr<FileReader> refused;
    EXPECT_FALSE(fs_.OpenForReading(path, refused)) << path;
    EXPECT_EQ(refused, nullptr) << path;
  }
}

TEST_F(PosixFileSystemTest, CreateFolderMakesExactlyOneLevel) {
  EXPECT_TRUE(fs_.CreateFolder(folder_.Path("new/")));
  EXPECT_TRUE(fs_.IsFolder(folder_.Path("new")));
  EXPECT_FALSE(fs_.CreateFolder(folder_.Path("new")));
  EXPECT_FALSE(fs_.CreateFolder(folder_.Path("a/b")));
  EXPECT_FALSE(fs_.CreateFolder(""));
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"new"});
}

TEST_F(PosixFileSystemTest, SizesAndKinds) {
  const std::string file = folder_.Write("f", "12345");
  EXPECT_EQ(fs_.FileSize(file), 5u);
  EXPECT_EQ(fs_.FileSize(folder_.Path()), std::nullopt);
  EXPECT_EQ(fs_.FileSize(folder_.Path("missing")), std::nullopt);
  EXPECT_FALSE(fs_.IsFolder(file));
  EXPECT_FALSE(fs_.IsFolder(""));
}

} // namespace
} // namespace filecrypter
