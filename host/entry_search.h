//===- host/entry_search.h - Folder listings filtered by kind ---*- C++ -*-===//
//
// A folder listing that yields only files or only folders, in the order the
// file system lists them.  The collector keeps one `EntrySearch` per folder
// level, so a parent's listing is not disturbed by its sub-folders'.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_HOST_ENTRY_SEARCH_H
#define FILECRYPTER_HOST_ENTRY_SEARCH_H

#include "host/file_system.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace filecrypter {

enum class EntryFilter {
  kFilesOnly,   // every entry that is not a folder: hidden files, links to
                // files, broken links and special files included
  kFoldersOnly, // every folder, "." and ".." and links to folders included
};

// True when `name` matches the wildcard `pattern`: '*' stands for any run of
// bytes, '?' for one byte, and "*.*" for every name, dotted or not.
bool MatchesNamePattern(std::string_view name, std::string_view pattern);

// The enumeration state: at most one open listing.
class EntrySearch {
public:
  // Closes a listing still open, then opens `folder` and returns its first
  // entry whose name matches `pattern` and passes `filter`.  nullopt, with
  // nothing open, when the folder cannot be listed or has no such entry.
  std::optional<DirectoryEntry> FindFirstEntry(FileSystem &fileSystem, std::string_view folder,
                                               std::string_view pattern, EntryFilter filter);

  // The next such entry; nullopt when there is none, which closes the listing.
  std::optional<DirectoryEntry> FindNextEntry();

  // Closes the listing if it is still open.
  void EndFind() noexcept { reader_.reset(); }

  bool is_open() const noexcept { return reader_ != nullptr; }

private:
  std::unique_ptr<DirectoryReader> reader_;
  std::string pattern_;
  EntryFilter filter_ = EntryFilter::kFilesOnly;
};

} // namespace filecrypter

#endif // FILECRYPTER_HOST_ENTRY_SEARCH_H
