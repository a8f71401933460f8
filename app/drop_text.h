//===- app/drop_text.h - The items of one drop ------------------*- C++ -*-===//
#ifndef FILECRYPTER_APP_DROP_TEXT_H
#define FILECRYPTER_APP_DROP_TEXT_H

#include <string>
#include <string_view>
#include <vector>

namespace filecrypter {

// The paths of a drop's text, in drop order.  One dropped item arrives as its
// path alone; several arrive as paths each followed by "\r\n".  So a text
// that ends with "\r\n" is split there (empty lines are skipped), and any
// other text is one path as it is.  The empty text gives no item.
std::vector<std::string> SplitDroppedText(std::string_view text);

} // namespace filecrypter

#endif // FILECRYPTER_APP_DROP_TEXT_H
