//===- app/output_names.cpp -----------------------------------------------===//

#include "app/output_names.h"

#include "app/path_helpers.h"

namespace filecrypter {
namespace {

constexpr std::string_view kCloseBracket = "】";

std::string Join(std::initializer_list<std::string_view> parts) {
  std::string joined;
  for (std::string_view part : parts)
    joined += part;
  return joined;
}

} // namespace

std::string_view OutputPrefix(CommandKind kind) noexcept {
  return kind == CommandKind::kEncrypt ? "加密【" : "解密【";
}

std::string SingleFileOutputName(std::string_view path, CommandKind kind) {
  return Join({FolderPart(path), OutputPrefix(kind), FileTitle(path), kCloseBracket,
               FileExtension(path)});
}

std::string OutputFolderName(std::string_view folder, CommandKind kind) {
  return Join({FolderPart(folder), OutputPrefix(kind),
               LastComponent(folder, std::string_view(&kPathSeparator, 1)), kCloseBracket,
               std::string_view(&kPathSeparator, 1)});
}

std::string FreeOutputName(std::string_view outputFolder, std::string_view path,
                           const std::unordered_set<std::string> &written) {
  const std::string_view title = FileTitle(path);
  const std::string_view extension = FileExtension(path);
  std::string name = Join({outputFolder, title, extension});
  for (int number = 2; written.contains(name); ++number)
    name = Join({outputFolder, title, " (", std::to_string(number), ")", extension});
  return name;
}

} // namespace filecrypter
