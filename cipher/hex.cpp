//===- cipher/hex.cpp - Hexadecimal and space utilities -------------------===//

#include "cipher/engine.h"

#include <algorithm>
#include <limits>

namespace filecrypter {
namespace {

constexpr char kUpperDigits[] = "0123456789ABCDEF";

// Anything that is not a hexadecimal digit reads as 0.
constexpr std::uint8_t DigitValue(char c) {
  if (c >= '0' && c <= '9')
    return static_cast<std::uint8_t>(c - '0');
  if (c >= 'A' && c <= 'F')
    return static_cast<std::uint8_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f')
    return static_cast<std::uint8_t>(c - 'a' + 10);
  return 0;
}

} // namespace

ByteString CipherEngine::StripSpaces(std::string_view text) {
  text = ZeroTerminated(text);
  const auto kept = static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return c != ' '; }));
  std::optional<ByteString> result = ByteString::Allocate(heap(), kept);
  if (!result)
    return {};
  std::copy_if(text.begin(), text.end(), result->data(), [](char c) { return c != ' '; });
  return std::move(*result);
}

ByteString CipherEngine::HexToBytes(ByteString &text) {
  const std::string_view original = ZeroTerminated(text.view());
  ByteString digits = StripSpaces(original);
  // An empty copy of a text that had digits means the heap refused; the
  // caller's text is then left as it was instead of being lost.
  if (digits.empty() && original.find_first_not_of(' ') != std::string_view::npos)
    return {};

  const std::string_view hex = digits.view();
  std::optional<ByteString> result = ByteString::Allocate(heap(), (hex.size() + 1) / 2);
  if (!result)
    return {};
  std::uint8_t *out = result->data();
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    // An odd last digit pairs with the terminator and becomes a high half.
    const char low = i + 1 < hex.size() ? hex[i + 1] : '\0';
    *out++ = static_cast<std::uint8_t>((DigitValue(hex[i]) << 4) | DigitValue(low));
  }
  text = std::move(digits);
  return std::move(*result);
}

ByteString CipherEngine::BytesToHex(ByteSpan bytes, bool packed) {
  const std::size_t n = bytes.size();
  if (n == 0 || n > std::numeric_limits<std::size_t>::max() / 3 - 1)
    return {};
  std::optional<ByteString> result = ByteString::Allocate(heap(), packed ? 2 * n : 3 * n - 1);
  if (!result)
    return {};
  std::uint8_t *out = result->data();
  for (std::size_t i = 0; i < n; ++i) {
    if (!packed && i != 0)
      *out++ = ' ';
    *out++ = static_cast<std::uint8_t>(kUpperDigits[bytes[i] >> 4]);
    *out++ = static_cast<std::uint8_t>(kUpperDigits[bytes[i] & 0x0F]);
  }
  return std::move(*result);
}

} // namespace filecrypter
