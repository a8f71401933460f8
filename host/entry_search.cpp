//===- host/entry_search.cpp ----------------------------------------------===//

#include "host/entry_search.h"

namespace filecrypter {

bool MatchesNamePattern(std::string_view name, std::string_view pattern) {
  if (pattern == "*.*")
    return true;
  // Greedy matching with one point to back up to: the last '*' seen.
  std::size_t n = 0, p = 0;
  std::size_t starAt = std::string_view::npos, resumeAt = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      resumeAt = n;
    } else if (starAt != std::string_view::npos) {
      p = starAt + 1;
      n = ++resumeAt;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*')
    ++p;
  return p == pattern.size();
}

std::optional<DirectoryEntry> EntrySearch::FindFirstEntry(FileSystem &fileSystem,
                                                          std::string_view folder,
                                                          std::string_view pattern,
                                                          EntryFilter filter) {
  EndFind();
  reader_ = fileSystem.OpenDirectory(folder);
  pattern_ = pattern;
  filter_ = filter;
  return FindNextEntry();
}

std::optional<DirectoryEntry> EntrySearch::FindNextEntry() {
  if (!reader_)
    return std::nullopt;
  while (std::optional<DirectoryEntry> entry = reader_->Next()) {
    const bool wanted = entry->isFolder == (filter_ == EntryFilter::kFoldersOnly);
    if (wanted && MatchesNamePattern(entry->name, pattern_))
      return entry;
  }
  EndFind();
  return std::nullopt;
}

} // namespace filecrypter
