//===- host/find_last_text.cpp --------------------------------------------===//

#include "host/find_last_text.h"

#include <algorithm>
#include <vector>

namespace filecrypter {
namespace {

bool IsUtf8Continuation(unsigned char byte) noexcept { return (byte & 0xC0) == 0x80; }

// The bytes of the character at `i` in UTF-8: the lead byte and the
// continuation bytes it announces that are present.  A stray byte is a
// character of its own.
std::size_t Utf8CharacterLength(std::string_view text, std::size_t i) noexcept {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t expected = 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    expected = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    expected = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    expected = 4;
  std::size_t length = 1;
  while (length < expected && i + length < text.size() &&
         IsUtf8Continuation(static_cast<unsigned char>(text[i + length])))
    ++length;
  return length;
}

} // namespace

std::ptrdiff_t FindLastText(std::string_view text, std::string_view pattern, std::ptrdiff_t start,
                            TextEncoding encoding) {
  const std::size_t window =
      start < 2 ? 0 : std::min(static_cast<std::size_t>(start - 1), text.size());
  if (pattern.empty())
    return window > 0 ? 1 : -1;

  // Character boundaries up to the window's end, so that a UTF-8 match can
  // be required to end on one.
  std::vector<bool> boundary(window + 1, false);
  std::vector<std::size_t> starts;
  std::size_t i = 0;
  while (i < window) {
    boundary[i] = true;
    starts.push_back(i);
    if (encoding == TextEncoding::kGbk) {
      if ((static_cast<unsigned char>(text[i]) & 0x80) == 0) {
        ++i;
      } else if (i + 1 >= text.size()) {
        break; // a lead byte at the very end has no partner
      } else {
        i += 2;
      }
    } else {
      i += Utf8CharacterLength(text, i);
    }
  }
  if (i == window)
    boundary[window] = true;

  std::ptrdiff_t found = -1;
  for (const std::size_t at : starts) {
    if (at + pattern.size() > window)
      break;
    const bool endsOnBoundary =
        encoding == TextEncoding::kGbk || boundary[at + pattern.size()];
    if (endsOnBoundary && text.compare(at, pattern.size(), pattern) == 0)
      found = static_cast<std::ptrdiff_t>(at) + 1;
  }
  return found;
}

} // namespace filecrypter
