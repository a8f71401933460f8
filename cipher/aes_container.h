//===- cipher/aes_container.h - Layout of the encrypted container -*- C++ -*-===//
//
// Every file the program encrypts has this layout (integers little-endian):
//
//   offset 0   4 bytes   plaintext length L, read back as signed 32-bit
//   offset 4   4 bytes   reserved, written as 0 and never read
//   offset 8   16·⌈L/16⌉ AES-ECB blocks, the last one filled with zero bytes
//
// There is no magic number, key mark or check value: stored files must keep
// opening, so the layout never changes.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_CIPHER_AES_CONTAINER_H
#define FILECRYPTER_CIPHER_AES_CONTAINER_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace filecrypter {

inline constexpr std::size_t kContainerHeaderSize = 8;
// The smallest container: a header and one block.
inline constexpr std::size_t kMinContainerSize = kContainerHeaderSize + 16;
// The largest plaintext whose length the header can carry: the stored
// length is read back as a signed 32-bit number.
inline constexpr std::uint64_t kMaxContainerPlaintext = 0x7FFFFFFFu - 1;

// Size of the container for a plaintext of `length` bytes (length > 0).
constexpr std::uint64_t ContainerSizeFor(std::uint64_t length) {
  return kContainerHeaderSize + (length + 15) / 16 * 16;
}

// Writes the 8-byte header for a plaintext of `length` bytes.
inline void WriteContainerHeader(std::uint8_t header[kContainerHeaderSize], std::uint32_t length) {
  for (int i = 0; i < 4; ++i)
    header[i] = static_cast<std::uint8_t>(length >> (8 * i));
  for (int i = 4; i < 8; ++i)
    header[i] = 0;
}

// The plaintext length a container of `containerSize` bytes claims, when the
// claim is sound: not negative as a signed number and no longer than the
// bytes of the container's whole blocks.  nullopt for a container shorter
// than one block or with an unsound claim.
inline std::optional<std::uint32_t> ReadContainerLength(std::span<const std::uint8_t> header,
                                                        std::uint64_t containerSize) {
  if (containerSize < kMinContainerSize || header.size() < 4)
    return std::nullopt;
  const std::uint32_t raw = std::uint32_t{header[0]} | (std::uint32_t{header[1]} << 8) |
                            (std::uint32_t{header[2]} << 16) | (std::uint32_t{header[3]} << 24);
  const std::uint64_t wholeBlockBytes = (containerSize - kContainerHeaderSize) / 16 * 16;
  if ((raw & 0x80000000u) != 0 || raw > wholeBlockBytes)
    return std::nullopt;
  return raw;
}

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_AES_CONTAINER_H
