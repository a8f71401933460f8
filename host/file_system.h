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
