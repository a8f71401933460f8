//===- app/path_helpers.h - Pieces of paths and texts -----------*- C++ -*-===//
//
// The helpers that decide the shape of every output name:
//
//   output = FolderPart(path) + prefix + FileTitle(path) + "】" + FileExtension(path)
//
// They count bytes, never cut a UTF-8 character when searching, and return
// views into their argument.
//
//   path                    LastComponent   FolderPart   FileTitle   FileExtension
//   /docs/report.txt        report.txt      /docs/       report      .txt
//   /docs/archive.tar.gz    archive.tar.gz  /docs/       archive.tar .gz
//   /docs/.profile          .profile        /docs/       (empty)     .profile
//   /a/b/                   b/              /a/          b/          (empty)
//   report.txt              (empty)         report.txt   report      .txt
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_APP_PATH_HELPERS_H
#define FILECRYPTER_APP_PATH_HELPERS_H

#include <cstddef>
#include <string_view>

namespace filecrypter {

inline constexpr char kPathSeparator = '/';

// The last `count` bytes: empty for a count below 1, all of `text` for a
// count at least its length.
std::string_view RightPart(std::string_view text, std::ptrdiff_t count) noexcept;

// The first min(`count`, length) bytes.
std::string_view LeftPart(std::string_view text, std::size_t count) noexcept;

// Everything after the last `separator` that is not the text's final
// character; empty when there is none.
std::string_view LastComponent(std::string_view text, std::string_view separator) noexcept;

// `path` without its LastComponent: the folder, ending in '/'.  A path
// without a separator comes back whole.
std::string_view FolderPart(std::string_view path) noexcept;

// The file-name part: what follows the last '/' that is followed by a
// character other than '/'; all of `path` when there is no such '/'.
std::string_view FileNamePart(std::string_view path) noexcept;

// The extension of the file-name part: from its last '.' that no space and
// no '/' follows, to the end; empty otherwise.
std::string_view FileExtension(std::string_view path) noexcept;

// The file-name part without its extension.
std::string_view FileTitle(std::string_view path) noexcept;

} // namespace filecrypter

#endif // FILECRYPTER_APP_PATH_HELPERS_H
