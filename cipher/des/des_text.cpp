//===- cipher/des/des_text.cpp - DES text to hexadecimal and back ---------===//
//
// Electronic-codebook DES over texts.  The key is the key text's first eight
// bytes, zero-filled; the last data block is zero-filled too, and nothing
// records the fill, so decryption ends the text at the first zero byte.
//
//===----------------------------------------------------------------------===//

#include "cipher/des/des_block.h"
#include "cipher/engine.h"
#include "cipher/secure_wipe.h"

#include <algorithm>
#include <limits>
#include <new>

namespace filecrypter {
namespace {

constexpr char kUpperDigits[] = "0123456789ABCDEF";
constexpr std::size_t kHexPerBlock = 2 * kDesBlockSize;

// The subkeys of one call, in a block of the engine's heap that is wiped
// when it is released.  Empty when the heap refuses.
class SubkeyBuffer {
public:
  SubkeyBuffer(Heap &heap, std::string_view keyText) noexcept
      : block_(HeapBlock::Allocate(heap, sizeof(DesSubkeys))) {
    if (!block_)
      return;
    std::array<std::uint8_t, kDesKeySize> key{};
    keyText = ZeroTerminated(keyText);
    std::copy_n(keyText.begin(), std::min(keyText.size(), key.size()), key.begin());
    subkeys_ = new (block_.data()) DesSubkeys;
    DesKeySchedule(key, *subkeys_);
    SecureWipe(key);
  }

  explicit operator bool() const noexcept { return subkeys_ != nullptr; }
  const DesSubkeys &get() const noexcept { return *subkeys_; }

private:
  HeapBlock block_;
  DesSubkeys *subkeys_ = nullptr;
};

// The value of a digit as the decoder reads it: "0"-"9", "A"-"F" and "a"-"f"
// as expected, every other byte by the same arithmetic without complaint.
constexpr std::uint8_t DigitValue(char c) {
  const auto code = static_cast<std::uint8_t>(c);
  if (code >= 0x3A && code <= 0x46)
    return static_cast<std::uint8_t>(code - 0x37);
  if (code >= 0x47 && code <= 0x7F)
    return static_cast<std::uint8_t>(code - 0x57);
  return static_cast<std::uint8_t>(code - 0x30);
}

} // namespace

ByteString CipherEngine::DesEncryptText(std::string_view data, std::string_view key) {
  data = ZeroTerminated(data);
  const std::size_t blocks = data.size() / kDesBlockSize + (data.size() % kDesBlockSize != 0);
  if (blocks == 0 || blocks > std::numeric_limits<std::size_t>::max() / kHexPerBlock - 1)
    return {};
  const SubkeyBuffer subkeys(heap(), key);
  if (!subkeys)
    return {};
  std::optional<ByteString> result = ByteString::Allocate(heap(), blocks * kHexPerBlock);
  if (!result)
    return {};

  std::array<std::uint8_t, kDesBlockSize> block;
  std::uint8_t *out = result->data();
  for (std::size_t offset = 0; offset < data.size(); offset += kDesBlockSize) {
    block.fill(0);
    const std::string_view chunk = data.substr(offset, kDesBlockSize);
    std::copy(chunk.begin(), chunk.end(), block.begin());
    DesEncryptBlock(block, block, subkeys.get());
    for (std::uint8_t byte : block) {
      *out++ = static_cast<std::uint8_t>(kUpperDigits[byte >> 4]);
      *out++ = static_cast<std::uint8_t>(kUpperDigits[byte & 0x0F]);
    }
  }
  SecureWipe(block);
  return std::move(*result);
}

ByteString CipherEngine::DesDecryptText(std::string_view hex, std::string_view key) {
  hex = ZeroTerminated(hex);
  // Only whole blocks of digits, as encryption writes them, are accepted; a
  // partial block could not be decrypted and would leave raw bytes behind.
  if (hex.empty() || hex.size() % kHexPerBlock != 0)
    return {};
  const SubkeyBuffer subkeys(heap(), key);
  if (!subkeys)
    return {};
  std::optional<ByteString> result = ByteString::Allocate(heap(), hex.size() / 2);
  if (!result)
    return {};

  std::span<std::uint8_t> bytes = result->mutable_bytes();
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<std::uint8_t>(DigitValue(hex[2 * i]) * 16 + DigitValue(hex[2 * i + 1]));
  for (std::size_t offset = 0; offset < bytes.size(); offset += kDesBlockSize) {
    const std::span<std::uint8_t, kDesBlockSize> block = bytes.subspan(offset).first<kDesBlockSize>();
    DesDecryptBlock(block, block, subkeys.get());
  }
  // The text ends at its first zero byte: the fill of the last block, or
  // wherever a wrong key happened to produce one.
  result->Truncate(static_cast<std::size_t>(std::find(bytes.begin(), bytes.end(), 0) - bytes.begin()));
  return std::move(*result);
}

} // namespace filecrypter
