//===- app/collect_files.h - Every file below a folder ----------*- C++ -*-===//
#ifndef FILECRYPTER_APP_COLLECT_FILES_H
#define FILECRYPTER_APP_COLLECT_FILES_H

#include "app/app_state.h"

#include <string>
#include <string_view>
#include <vector>

namespace filecrypter {

// Appends to `list` the full path of every file below `folder` whose name
// matches `pattern`, depth first: a folder's own files in the order the file
// system lists them, then, for each of its sub-folders in listed order,
// everything below it.  Sub-folders whose name starts with '.' are skipped,
// and so are links to folders, so a link cycle cannot make the walk run
// away; a link to a file is collected like a file.  A folder that cannot be
// listed adds nothing, and is appended to `unlisted` when that is given, so
// that the files it hides need not go unnoticed.  Lets pending window events
// through once per folder.
void CollectFiles(ApplicationState &state, std::string folder, std::string_view pattern,
                  std::vector<std::string> &list, std::vector<std::string> *unlisted = nullptr);

} // namespace filecrypter

#endif // FILECRYPTER_APP_COLLECT_FILES_H
