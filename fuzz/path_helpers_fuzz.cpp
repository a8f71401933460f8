//===- fuzz/path_helpers_fuzz.cpp - The path helpers and FindLastText ------===//
//
// Input: one byte choosing the encoding, two bytes of a signed start
// position, a pattern piece, then the text, which also serves as the path.
// Besides not crashing, the pieces of a path must add up to the path.
//
//===----------------------------------------------------------------------===//

#include "app/path_helpers.h"
#include "fuzz/fuzz_input.h"
#include "host/find_last_text.h"

using namespace filecrypter;
using namespace filecrypter::fuzz;

namespace {

// An empty result may be a view of nothing at all.
bool IsSuffix(std::string_view part, std::string_view whole) {
  return part.empty() ||
         (part.size() <= whole.size() && part.data() + part.size() == whole.data() + whole.size());
}

bool IsPrefix(std::string_view part, std::string_view whole) {
  return part.empty() || (part.size() <= whole.size() && part.data() == whole.data());
}

void CheckFindLastText(std::string_view text, std::string_view pattern, std::ptrdiff_t start,
                       TextEncoding encoding) {
  const std::ptrdiff_t at = FindLastText(text, pattern, start, encoding);
  if (at == -1)
    return;
  Check(at >= 1);
  const auto from = static_cast<std::size_t>(at - 1);
  Check(static_cast<std::ptrdiff_t>(from + pattern.size()) <= start - 1);
  Check(from + pattern.size() <= text.size());
  Check(text.substr(from, pattern.size()) == pattern);
  // A UTF-8 match never starts inside a character: right after a lead byte
  // that its continuation byte belongs to.
  if (encoding == TextEncoding::kUtf8 && from > 0) {
    const auto before = static_cast<unsigned char>(text[from - 1]);
    const auto first = static_cast<unsigned char>(text[from]);
    Check(!(before >= 0xC2 && before <= 0xF4 && (first & 0xC0) == 0x80));
  }
}

void CheckPathPieces(std::string_view path) {
  const std::string_view name = FileNamePart(path);
  const std::string_view title = FileTitle(path);
  const std::string_view extension = FileExtension(path);
  Check(IsSuffix(name, path));
  Check(IsPrefix(title, name) && title.size() + extension.size() == name.size());
  Check(IsSuffix(extension, path));
  Check(extension.empty() || extension.front() == '.');

  const std::string_view last = LastComponent(path, "/");
  const std::string_view folder = FolderPart(path);
  Check(IsSuffix(last, path));
  Check(IsPrefix(folder, path) && folder.size() + last.size() == path.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  FuzzInput input(data, size);
  const TextEncoding encoding = input.Byte() & 1 ? TextEncoding::kGbk : TextEncoding::kUtf8;
  const auto start = static_cast<std::int16_t>(input.Byte() | input.Byte() << 8);
  const std::string_view pattern = AsText(input.Piece());
  const std::string_view text = AsText(input.Rest());

  CheckFindLastText(text, pattern, start, encoding);
  CheckFindLastText(text, pattern, static_cast<std::ptrdiff_t>(text.size()) + 1, encoding);
  CheckPathPieces(text);

  const std::string_view last = LastComponent(text, pattern);
  Check(IsSuffix(last, text));
  Check(IsSuffix(RightPart(text, start), text));
  Check(IsPrefix(LeftPart(text, static_cast<std::uint16_t>(start)), text));
  return 0;
}
