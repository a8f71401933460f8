//===- app/path_helpers.cpp -----------------------------------------------===//

#include "app/path_helpers.h"

#include "host/find_last_text.h"

namespace filecrypter {

std::string_view RightPart(std::string_view text, std::ptrdiff_t count) noexcept {
  if (count < 1)
    return {};
  if (static_cast<std::size_t>(count) >= text.size())
    return text;
  return text.substr(text.size() - static_cast<std::size_t>(count));
}

std::string_view LeftPart(std::string_view text, std::size_t count) noexcept {
  return text.substr(0, count);
}

std::string_view LastComponent(std::string_view text, std::string_view separator) noexcept {
  const auto length = static_cast<std::ptrdiff_t>(text.size());
  // The window ends before the final byte, so a trailing separator is never
  // the one found.
  const std::ptrdiff_t at = FindLastText(text, separator, length, TextEncoding::kUtf8);
  if (at < 0)
    return {};
  return RightPart(text, length - static_cast<std::ptrdiff_t>(separator.size()) - at + 1);
}

std::string_view FolderPart(std::string_view path) noexcept {
  const std::string_view last = LastComponent(path, std::string_view(&kPathSeparator, 1));
  return LeftPart(path, path.size() - last.size());
}

std::string_view FileNamePart(std::string_view path) noexcept {
  std::size_t start = 0;
  for (std::size_t i = 0; i + 1 < path.size(); ++i)
    if (path[i] == kPathSeparator && path[i + 1] != kPathSeparator)
      start = i + 1;
  return path.substr(start);
}

std::string_view FileExtension(std::string_view path) noexcept {
  // In UTF-8 no byte of a multi-byte character equals '.', ' ' or '/', so a
  // byte scan sees only whole characters here.
  const std::string_view name = FileNamePart(path);
  std::size_t dot = std::string_view::npos;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '.')
      dot = i;
    else if (name[i] == ' ' || name[i] == kPathSeparator)
      dot = std::string_view::npos;
  }
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::string_view FileTitle(std::string_view path) noexcept {
  const std::string_view name = FileNamePart(path);
  return LeftPart(name, name.size() - FileExtension(path).size());
}

} // namespace filecrypter
