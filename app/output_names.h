//===- app/output_names.h - Names of the files a command writes -*- C++ -*-===//
#ifndef FILECRYPTER_APP_OUTPUT_NAMES_H
#define FILECRYPTER_APP_OUTPUT_NAMES_H

#include "app/commands.h"

#include <string>
#include <string_view>
#include <unordered_set>

namespace filecrypter {

// Single-file mode: "/docs/report.txt" -> "/docs/加密【report】.txt".
std::string SingleFileOutputName(std::string_view path, CommandKind kind);

// Folder mode: "/photos/trip" -> "/photos/加密【trip】/".
std::string OutputFolderName(std::string_view folder, CommandKind kind);

// Folder mode: where the file at `path` goes in `outputFolder`.  It keeps
// its own name unless that name was already written in this command
// (`written`); then it takes the first free name of the form
// "title (2).ext", "title (3).ext", and so on.
std::string FreeOutputName(std::string_view outputFolder, std::string_view path,
                           const std::unordered_set<std::string> &written);

} // namespace filecrypter

#endif // FILECRYPTER_APP_OUTPUT_NAMES_H
