//===- app/drop_text.cpp --------------------------------------------------===//

#include "app/drop_text.h"

namespace filecrypter {

std::vector<std::string> SplitDroppedText(std::string_view text) {
  constexpr std::string_view kLineEnd = "\r\n";
  std::vector<std::string> items;
  if (!text.ends_with(kLineEnd)) {
    if (!text.empty())
      items.emplace_back(text);
    return items;
  }
  while (!text.empty()) {
    const std::size_t end = text.find(kLineEnd);
    if (end > 0)
      items.emplace_back(text.substr(0, end));
    text.remove_prefix(end + kLineEnd.size());
  }
  return items;
}

} // namespace filecrypter
