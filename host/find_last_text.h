//===- host/find_last_text.h - Last occurrence, whole characters only -*- C++ -*-===//
//
// The search under the path helpers.  It steps over whole characters of the
// text's encoding, so a separator byte inside a multi-byte character is never
// taken for a separator.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_HOST_FIND_LAST_TEXT_H
#define FILECRYPTER_HOST_FIND_LAST_TEXT_H

#include <cstddef>
#include <string_view>

namespace filecrypter {

enum class TextEncoding {
  kUtf8, // paths and the program's own texts on this platform
  kGbk,  // a byte with its high bit set takes the next byte along
};

// The 1-based position of the last match of `pattern` that lies entirely
// within the first `start` - 1 bytes of `text`, or -1 when there is none.
// Matches start, and in UTF-8 also end, on character boundaries.  An empty
// pattern gives 1 when that window is not empty and -1 otherwise.
std::ptrdiff_t FindLastText(std::string_view text, std::string_view pattern, std::ptrdiff_t start,
                            TextEncoding encoding);

} // namespace filecrypter

#endif // FILECRYPTER_HOST_FIND_LAST_TEXT_H
