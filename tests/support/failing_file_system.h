//===- tests/support/failing_file_system.h - Writes that break midway -*- C++ -*-===//
#ifndef FILECRYPTER_TESTS_SUPPORT_FAILING_FILE_SYSTEM_H
#define FILECRYPTER_TESTS_SUPPORT_FAILING_FILE_SYSTEM_H

#include "host/posix_file_system.h"

#include <cerrno>
#include <cstddef>

namespace filecrypter::testing {

// The real file system, except that the chosen file written (1 for the
// first, whether by WriteWholeFile or CreateReplacement) fails with "no
// space left" after `bytesBeforeFailure` of its bytes have reached the disk.
class FailingFileSystem : public PosixFileSystem {
public:
  void FailWrite(int callNumber, std::size_t bytesBeforeFailure) {
    failingCall_ = callNumber;
    budget_ = bytesBeforeFailure;
  }

  Status WriteWholeFile(std::string_view path, std::span<const std::uint8_t> bytes) override {
    failing_ = ++calls_ == failingCall_;
    return PosixFileSystem::WriteWholeFile(path, bytes);
  }

  Status CreateReplacement(std::string_view path, std::unique_ptr<FileWriter> &writer) override {
    failing_ = ++calls_ == failingCall_;
    return PosixFileSystem::CreateReplacement(path, writer);
  }

  int calls() const { return calls_; }

protected:
  ssize_t WritePart(int fd, std::span<const std::uint8_t> bytes) override {
    if (!failing_)
      return PosixFileSystem::WritePart(fd, bytes);
    if (budget_ == 0) {
      errno = ENOSPC;
      return -1;
    }
    const std::size_t part = bytes.size() < budget_ ? bytes.size() : budget_;
    const ssize_t written = PosixFileSystem::WritePart(fd, bytes.first(part));
    if (written > 0)
      budget_ -= static_cast<std::size_t>(written);
    return written;
  }

private:
  int calls_ = 0;
  int failingCall_ = 0;
  bool failing_ = false;
  std::size_t budget_ = 0;
};

} // namespace filecrypter::testing

#endif // FILECRYPTER_TESTS_SUPPORT_FAILING_FILE_SYSTEM_H
