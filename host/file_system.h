//===- host/file_system.h - The file system the commands stand on -*- C++ -*-===//
//
// Everything the application does to files and folders goes through this
// interface, so that the application stays free of platform calls and tests
// can make any operation fail where they need it to.  Paths are the platform's
// native byte strings (UTF-8 on Linux, separator '/').
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_HOST_FILE_SYSTEM_H
#define FILECRYPTER_HOST_FILE_SYSTEM_H

#include "cipher/byte_string.h"
#include "host/status.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace filecrypter {

// One entry of a folder.
struct DirectoryEntry {
  std::string name;      // without folder part
  bool isFolder = false; // a folder, or a symbolic link that leads to one
  bool isLink = false;   // a symbolic link, whatever it leads to
};

// An open folder listing.  Closing happens on destruction.
class DirectoryReader {
public:
  virtual ~DirectoryReader() = default;

  // The next entry in the order the file system lists them, "." and ".."
  // included; nullopt after the last one.
  virtual std::optional<DirectoryEntry> Next() = 0;
};

// A regular file open for reading from its start.  Closes on destruction.
class FileReader {
public:
  virtual ~FileReader() = default;

  // The file's size when it was opened.
  virtual std::uint64_t size() const = 0;

  // Reads the next bytes into `buffer`, their count into `got`: all of
  // `buffer` unless the file ends first.
  virtual Status Read(std::span<std::uint8_t> buffer, std::size_t &got) = 0;
};

// A new file that takes the place of its target only once committed, so
// that a reader never sees a target half written.  Destroyed uncommitted,
// it is removed and the target stays as it was.
class FileWriter {
public:
  virtual ~FileWriter() = default;

  // Appends `bytes`.
  virtual Status Write(std::span<const std::uint8_t> bytes) = 0;

  // Puts the file in the target's place.  On failure it is removed.
  virtual Status Commit() = 0;
};

class FileSystem {
public:
  virtual ~FileSystem() = default;

  // Reads the whole regular file at `path` (links followed) into `content`.
  // Fails, leaving `content` as it was, for an empty path, a missing or
  // unreadable file, a folder or other non-regular file, a file larger than
  // `capacity` bytes or one that changes size while it is read.
  virtual Status ReadWholeFile(std::string_view path, std::uint64_t capacity,
                               ByteString &content) = 0;

  // Replaces the file at `path` with exactly `bytes`, atomically: the bytes
  // go to a new file in the same folder that is renamed over `path` only
  // once complete.  On failure an existing file keeps its old content and no
  // temporary file remains.
  virtual Status WriteWholeFile(std::string_view path, std::span<const std::uint8_t> bytes) = 0;

  // Opens the regular file at `path` (links followed) for reading.  Fails
  // for an empty path, a missing or unreadable file, a folder or other
  // non-regular file.
  virtual Status OpenForReading(std::string_view path, std::unique_ptr<FileReader> &reader) = 0;

  // Starts the replacement of the file at `path`, with the same guarantees
  // as WriteWholeFile once committed.  Fails for a target that is a folder
  // or may not be written, or a folder where no file can be made.
  virtual Status CreateReplacement(std::string_view path, std::unique_ptr<FileWriter> &writer) = 0;

  // Creates one folder whose parent exists; a trailing '/' is allowed.
  // Fails when anything exists at `path` already.
  virtual Status CreateFolder(std::string_view path) = 0;

  // Whether `path` names a folder (links followed).
  virtual bool IsFolder(std::string_view path) = 0;

  // The size of the regular file at `path` (links followed); nullopt when
  // there is none.
  virtual std::optional<std::uint64_t> FileSize(std::string_view path) = 0;

  // Opens a listing of the folder at `path`; nullptr when it cannot be
  // listed (missing, not a folder, access refused).
  virtual std::unique_ptr<DirectoryReader> OpenDirectory(std::string_view path) = 0;
};

} // namespace filecrypter

#endif // FILECRYPTER_HOST_FILE_SYSTEM_H
