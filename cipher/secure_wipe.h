//===- cipher/secure_wipe.h - Clearing memory the compiler keeps --*- C++ -*-===//
#ifndef FILECRYPTER_CIPHER_SECURE_WIPE_H
#define FILECRYPTER_CIPHER_SECURE_WIPE_H

#include <cstdint>
#include <span>

namespace filecrypter {

// Sets every byte of `bytes` to zero in a way the optimiser may not drop,
// even when the memory is released right afterwards.
void SecureWipe(std::span<std::uint8_t> bytes) noexcept;

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_SECURE_WIPE_H
