//===- host/real_path.cpp -------------------------------------------------===//

#include "host/real_path.h"

#include <cstdlib>
#include <memory>

namespace filecrypter {

std::optional<std::string> RealPath(std::string_view path) {
  if (path.empty() || path.find('\0') != std::string_view::npos)
    return std::nullopt;
  const std::string native(path);
  const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(native.c_str(), nullptr),
                                                             &std::free);
  if (!resolved)
    return std::nullopt;
  return std::string(resolved.get());
}

} // namespace filecrypter
