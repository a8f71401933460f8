//===- host/text_encoding.h - Passwords as the key sees them ----*- C++ -*-===//
//
// The key is made from the password's bytes in GBK (code page 936), the
// encoding of the program's Chinese texts, so that one password gives one key
// on every platform whatever the platform's own encoding.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_HOST_TEXT_ENCODING_H
#define FILECRYPTER_HOST_TEXT_ENCODING_H

#include "cipher/byte_string.h"

#include <string_view>

namespace filecrypter {

// The GBK bytes of the UTF-8 `text`, without terminator.  A character that
// GBK lacks is encoded in GB18030, which agrees with GBK on every GBK
// character, rather than replaced.  A byte that is not part of valid UTF-8 is
// kept as it is.  The empty text gives an empty ByteString.  Intermediate
// copies are wiped, since the text is usually a password.
ByteString TextToBytes(std::string_view text);

} // namespace filecrypter

#endif // FILECRYPTER_HOST_TEXT_ENCODING_H
