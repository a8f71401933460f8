//===- host/posix_file_system.cpp -----------------------------------------===//

#include "host/posix_file_system.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/random.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace filecrypter {
namespace {

std::string ErrorText(int error) { return std::generic_category().message(error); }

// The path as a C string; nullopt when it holds a zero byte, which no file
// name can.
std::optional<std::string> NativePath(std::string_view path) {
  if (path.find('\0') != std::string_view::npos)
    return std::nullopt;
  return std::string(path);
}

class FileDescriptor {
public:
  explicit FileDescriptor(int fd) noexcept : fd_(fd) {}
  FileDescriptor(const FileDescriptor &) = delete;
  FileDescriptor &operator=(const FileDescriptor &) = delete;
  FileDescriptor(FileDescriptor &&other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor &operator=(FileDescriptor &&other) noexcept {
    if (this != &other) {
      if (fd_ >= 0)
        ::close(fd_);
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  ~FileDescriptor() {
    if (fd_ >= 0)
      ::close(fd_);
  }

  int get() const noexcept { return fd_; }
  explicit operator bool() const noexcept { return fd_ >= 0; }

  // Closes now, so that a failing close can be reported; 0 or an errno value.
  int Close() noexcept {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? 0 : errno;
  }

private:
  int fd_;
};

class PosixDirectoryReader final : public DirectoryReader {
public:
  explicit PosixDirectoryReader(DIR *dir) noexcept : dir_(dir) {}
  PosixDirectoryReader(const PosixDirectoryReader &) = delete;
  PosixDirectoryReader &operator=(const PosixDirectoryReader &) = delete;
  ~PosixDirectoryReader() override { ::closedir(dir_); }

  std::optional<DirectoryEntry> Next() override {
    const dirent *entry = ::readdir(dir_);
    if (entry == nullptr)
      return std::nullopt;
    DirectoryEntry result;
    result.name = entry->d_name;
    unsigned char type = entry->d_type;
    struct stat info {};
    if (type == DT_UNKNOWN &&
        ::fstatat(::dirfd(dir_), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0)
      type = S_ISLNK(info.st_mode) ? DT_LNK : S_ISDIR(info.st_mode) ? DT_DIR : DT_REG;
    result.isLink = type == DT_LNK;
    if (result.isLink)
      result.isFolder = ::fstatat(::dirfd(dir_), entry->d_name, &info, 0) == 0 &&
                        S_ISDIR(info.st_mode);
    else
      result.isFolder = type == DT_DIR;
    return result;
  }

private:
  DIR *dir_;
};

// Where a file's temporary sibling goes: the folder part of `path`, ending
// in '/', or empty for the current folder.
std::string_view FolderOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

// 64 random bits from the kernel.  Cheaper than a std::random_device per
// file, whose set-up costs a processor query that a virtual machine traps.
unsigned long long RandomNumber() {
  unsigned long long value = 0;
  if (::getrandom(&value, sizeof value, 0) != static_cast<ssize_t>(sizeof value))
    value = std::random_device()();
  return value;
}

// Creates a new, uniquely named file in `folder`; its name goes to `name`.
// The name is short and fixed in length, so it fits wherever the target's
// name does.
int CreateTemporaryFile(std::string_view folder, std::string &name) {
  for (int attempt = 0; attempt < 32; ++attempt) {
    char leaf[32];
    std::snprintf(leaf, sizeof leaf, ".fc-%016llx.tmp", RandomNumber());
    name.assign(folder).append(leaf);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST)
      return fd;
  }
  errno = EEXIST;
  return -1;
}

// Opens `native` for reading and checks that it is a regular file.
Status OpenRegularFile(const std::string &native, FileDescriptor &file, std::uint64_t &size) {
  // Non-blocking, so that opening a named pipe cannot hang; it is refused below.
  FileDescriptor opened(::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!opened)
    return Status::Failure(ErrorText(errno));
  struct stat info {};
  if (::fstat(opened.get(), &info) != 0)
    return Status::Failure(ErrorText(errno));
  if (S_ISDIR(info.st_mode))
    return Status::Failure("is a folder");
  if (!S_ISREG(info.st_mode))
    return Status::Failure("not a regular file");
  size = static_cast<std::uint64_t>(info.st_size);
  file = std::move(opened);
  return Status();
}

// The same for a path as the application gives it.
Status OpenInput(std::string_view path, FileDescriptor &file, std::uint64_t &size) {
  if (path.empty())
    return Status::Failure("empty path");
  const std::optional<std::string> native = NativePath(path);
  if (!native)
    return Status::Failure("invalid path");
  return OpenRegularFile(*native, file, size);
}

// Reads until `buffer` is full or the file ends; the count goes to `got`.
Status ReadFully(int fd, std::span<std::uint8_t> buffer, std::size_t &got) {
  got = 0;
  while (got < buffer.size()) {
    const ssize_t part = ::read(fd, buffer.data() + got, buffer.size() - got);
    if (part < 0 && errno == EINTR)
      continue;
    if (part < 0)
      return Status::Failure(ErrorText(errno));
    if (part == 0)
      break;
    got += static_cast<std::size_t>(part);
  }
  return Status();
}

class PosixFileReader final : public FileReader {
public:
  PosixFileReader(FileDescriptor file, std::uint64_t size) noexcept
      : file_(std::move(file)), size_(size) {}

  std::uint64_t size() const override { return size_; }
  Status Read(std::span<std::uint8_t> buffer, std::size_t &got) override {
    return ReadFully(file_.get(), buffer, got);
  }

private:
  FileDescriptor file_;
  std::uint64_t size_;
};

} // namespace

class PosixFileWriter final : public FileWriter {
public:
  PosixFileWriter(PosixFileSystem &fileSystem, FileDescriptor file, std::string temporary,
                  std::string target, bool replacing) noexcept
      : fileSystem_(fileSystem), file_(std::move(file)), temporary_(std::move(temporary)),
        target_(std::move(target)), replacing_(replacing) {}
  PosixFileWriter(const PosixFileWriter &) = delete;
  PosixFileWriter &operator=(const PosixFileWriter &) = delete;
  ~PosixFileWriter() override {
    if (!committed_)
      Discard();
  }

  Status Write(std::span<const std::uint8_t> bytes) override {
    if (!file_)
      return Status::Failure("the file is closed");
    while (!bytes.empty()) {
      const ssize_t written = fileSystem_.WritePart(file_.get(), bytes);
      if (written < 0 && errno == EINTR)
        continue;
      if (written <= 0)
        return Fail(written < 0 ? errno : EIO);
      bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return Status();
  }

  Status Commit() override {
    if (!file_)
      return Status::Failure("the file is closed");
    if (replacing_ && ::fsync(file_.get()) != 0)
      return Fail(errno);
    if (const int error = file_.Close(); error != 0)
      return Fail(error);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
      return Fail(errno);
    committed_ = true;
    return Status();
  }

private:
  void Discard() noexcept {
    if (file_)
      file_.Close();
    if (!temporary_.empty())
      ::unlink(temporary_.c_str());
    temporary_.clear();
  }

  Status Fail(int error) {
    Discard();
    return Status::Failure(ErrorText(error));
  }

  PosixFileSystem &fileSystem_;
  FileDescriptor file_;
  std::string temporary_;
  std::string target_;
  bool replacing_;
  bool committed_ = false;
};

Status PosixFileSystem::OpenForReading(std::string_view path, std::unique_ptr<FileReader> &reader) {
  FileDescriptor file(-1);
  std::uint64_t size = 0;
  if (Status opened = OpenInput(path, file, size); !opened)
    return opened;
  reader = std::make_unique<PosixFileReader>(std::move(file), size);
  return Status();
}

Status PosixFileSystem::ReadWholeFile(std::string_view path, std::uint64_t capacity,
                                      ByteString &content) {
  FileDescriptor file(-1);
  std::uint64_t size = 0;
  if (Status opened = OpenInput(path, file, size); !opened)
    return opened;
  if (size > capacity)
    return Status::Failure("too large (" + std::to_string(size) + " bytes, at most " +
                           std::to_string(capacity) + ")");
  std::optional<ByteString> buffer = ByteString::Allocate(ProcessHeap(), size);
  if (!buffer)
    return Status::Failure("not enough memory");

  std::size_t got = 0;
  if (Status read = ReadFully(file.get(), buffer->mutable_bytes(), got); !read)
    return read;
  if (got < size)
    return Status::Failure("the file shrank while it was read");
  std::uint8_t extra;
  if (Status read = ReadFully(file.get(), {&extra, 1}, got); !read)
    return read;
  if (got != 0)
    return Status::Failure("the file grew while it was read");
  content = std::move(*buffer);
  return Status();
}

ssize_t PosixFileSystem::WritePart(int fd, std::span<const std::uint8_t> bytes) {
  return ::write(fd, bytes.data(), bytes.size());
}

Status PosixFileSystem::StartReplacement(std::string_view path,
                                         std::unique_ptr<PosixFileWriter> &writer) {
  if (path.empty())
    return Status::Failure("empty path");
  const std::optional<std::string> target = NativePath(path);
  if (!target)
    return Status::Failure("invalid path");

  // A file that exists keeps its permissions, and one the user may not
  // write stays untouched, as if it were rewritten in place.
  struct stat existing {};
  const bool replacing = ::stat(target->c_str(), &existing) == 0;
  if (replacing && S_ISDIR(existing.st_mode))
    return Status::Failure("is a folder");
  if (replacing && ::faccessat(AT_FDCWD, target->c_str(), W_OK, AT_EACCESS) != 0)
    return Status::Failure(ErrorText(errno));

  std::string temporary;
  FileDescriptor file(CreateTemporaryFile(FolderOf(*target), temporary));
  if (!file)
    return Status::Failure(ErrorText(errno));
  if (replacing && S_ISREG(existing.st_mode) &&
      ::fchmod(file.get(), existing.st_mode & 07777) != 0) {
    const int error = errno;
    file.Close();
    ::unlink(temporary.c_str());
    return Status::Failure(ErrorText(error));
  }
  writer = std::make_unique<PosixFileWriter>(*this, std::move(file), std::move(temporary),
                                             *target, replacing);
  return Status();
}

Status PosixFileSystem::CreateReplacement(std::string_view path,
                                          std::unique_ptr<FileWriter> &writer) {
  std::unique_ptr<PosixFileWriter> made;
  if (Status started = StartReplacement(path, made); !started)
    return started;
  writer = std::move(made);
  return Status();
}

Status PosixFileSystem::WriteWholeFile(std::string_view path,
                                       std::span<const std::uint8_t> bytes) {
  std::unique_ptr<PosixFileWriter> writer;
  if (Status started = StartReplacement(path, writer); !started)
    return started;
  if (Status written = writer->Write(bytes); !written)
    return written;
  return writer->Commit();
}

Status PosixFileSystem::CreateFolder(std::string_view path) {
  if (path.empty())
    return Status::Failure("empty path");
  const std::optional<std::string> native = NativePath(path);
  if (!native)
    return Status::Failure("invalid path");
  if (::mkdir(native->c_str(), 0777) != 0)
    return Status::Failure(ErrorText(errno));
  return Status();
}

bool PosixFileSystem::IsFolder(std::string_view path) {
  const std::optional<std::string> native = NativePath(path);
  struct stat info {};
  return native && !native->empty() && ::stat(native->c_str(), &info) == 0 &&
         S_ISDIR(info.st_mode);
}

std::optional<std::uint64_t> PosixFileSystem::FileSize(std::string_view path) {
  const std::optional<std::string> native = NativePath(path);
  struct stat info {};
  if (!native || native->empty() || ::stat(native->c_str(), &info) != 0 ||
      !S_ISREG(info.st_mode))
    return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

std::unique_ptr<DirectoryReader> PosixFileSystem::OpenDirectory(std::string_view path) {
  const std::optional<std::string> native = NativePath(path);
  if (!native || native->empty())
    return nullptr;
  DIR *dir = ::opendir(native->c_str());
  if (dir == nullptr)
    return nullptr;
  return std::make_unique<PosixDirectoryReader>(dir);
}

} // namespace filecrypter
