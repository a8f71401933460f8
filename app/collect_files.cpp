//===- app/collect_files.cpp ----------------------------------------------===//

#include "app/collect_files.h"

#include "app/path_helpers.h"
#include "host/entry_search.h"

namespace filecrypter {

void CollectFiles(ApplicationState &state, std::string folder, std::string_view pattern,
                  std::vector<std::string> &list, std::vector<std::string> *unlisted) {
  if (state.processPendingEvents)
    state.processPendingEvents();
  if (RightPart(folder, 1) != std::string_view(&kPathSeparator, 1))
    folder += kPathSeparator;

  // The search cannot tell an empty folder from one it could not open.
  if (unlisted != nullptr && state.fileSystem.OpenDirectory(folder) == nullptr) {
    unlisted->push_back(std::move(folder));
    return;
  }
  EntrySearch search;
  for (auto file = search.FindFirstEntry(state.fileSystem, folder, pattern, EntryFilter::kFilesOnly);
       file; file = search.FindNextEntry())
    list.push_back(folder + file->name);

  for (auto sub = search.FindFirstEntry(state.fileSystem, folder, "*.*", EntryFilter::kFoldersOnly);
       sub; sub = search.FindNextEntry()) {
    // "." and "..", hidden folders, and links, which could lead back up.
    if (LeftPart(sub->name, 1) == "." || sub->isLink)
      continue;
    CollectFiles(state, folder + sub->name, pattern, list, unlisted);
  }
  search.EndFind();
}

} // namespace filecrypter
