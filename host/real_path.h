//===- host/real_path.h - Absolute form of a path ---------------*- C++ -*-===//
#ifndef FILECRYPTER_HOST_REAL_PATH_H
#define FILECRYPTER_HOST_REAL_PATH_H

#include <optional>
#include <string>
#include <string_view>

namespace filecrypter {

// The absolute path of the existing file or folder `path`, with links, "."
// and ".." resolved; nullopt when it does not exist.
std::optional<std::string> RealPath(std::string_view path);

} // namespace filecrypter

#endif // FILECRYPTER_HOST_REAL_PATH_H
