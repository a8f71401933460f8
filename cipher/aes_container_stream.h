//===- cipher/aes_container_stream.h - The container in pieces --*- C++ -*-===//
//
// The encrypted container (aes_container.h) built and opened a piece at a
// time, so that a caller can pass a large file through a small buffer.  The
// bytes are exactly those of CipherEngine::AesEncrypt and AesDecrypt.
//
//   AesContainerKey key = *AesContainerKey::Make(password, 128);
//   AesContainerEncryptor sealer(key, length);
//   out(sealer.Header());  then  sealer.Encrypt(piece, out)  until remaining() is 0
//
// One key serves any number of containers; it wipes its schedule when it goes.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_CIPHER_AES_CONTAINER_STREAM_H
#define FILECRYPTER_CIPHER_AES_CONTAINER_STREAM_H

#include "cipher/aes_container.h"
#include "cipher/aes_context.h"
#include "cipher/engine.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace filecrypter {

// The AES key schedules for a password, as AesEncrypt makes them: the first
// 16, 24 or 32 password bytes, zero-filled.
class AesContainerKey {
public:
  // `keyBits` is 128, 192 or 256; nullopt for another size, or when the
  // heap refuses memory for the schedule.
  static std::optional<AesContainerKey> Make(ByteSpan password, std::int32_t keyBits,
                                             Heap &heap = ProcessHeap());

  const AesContext &context() const noexcept { return *engine_->ContextAs<AesContext>(); }
  std::uint32_t rounds() const noexcept { return engine_->aes_rounds(); }

private:
  explicit AesContainerKey(std::unique_ptr<CipherEngine> engine) noexcept
      : engine_(std::move(engine)) {}

  // Holds the schedule in its context field, which it wipes on release.
  std::unique_ptr<CipherEngine> engine_;
};

// Seals one plaintext of known length.  The key must outlive the encryptor.
class AesContainerEncryptor {
public:
  // For a plaintext of `length` bytes, 1 to kMaxContainerPlaintext.
  AesContainerEncryptor(const AesContainerKey &key, std::uint32_t length) noexcept
      : key_(&key), length_(length), remaining_(length) {}

  std::array<std::uint8_t, kContainerHeaderSize> Header() const noexcept;

  // Plaintext bytes still to come.
  std::uint64_t remaining() const noexcept { return remaining_; }

  // Encrypts the next plaintext piece `plain` into `out` and returns the
  // bytes written there: `plain` rounded up to whole blocks, the last block
  // of the plaintext filled with zero bytes.  Every piece but the last must
  // be whole blocks.  `plain` may start where `out` does.  Returns 0, doing
  // nothing, for a piece that breaks these rules or an `out` too small.
  std::size_t Encrypt(ByteSpan plain, std::span<std::uint8_t> out) noexcept;

private:
  const AesContainerKey *key_;
  std::uint32_t length_;
  std::uint64_t remaining_;
};

// Opens one container whose size is known.  The key must outlive it.
class AesContainerDecryptor {
public:
  // Reads the header of a container of `containerSize` bytes.  nullopt when
  // the container is shorter than one block or its stored length is
  // negative or longer than its whole blocks hold: such a container is
  // refused before any of it is decrypted.
  static std::optional<AesContainerDecryptor> Open(const AesContainerKey &key, ByteSpan header,
                                                   std::uint64_t containerSize) noexcept;

  // The plaintext length the header stores.
  std::uint32_t length() const noexcept { return length_; }

  // Container bytes after the header that hold plaintext, still to come:
  // the blocks up to the one with the last plaintext byte.  Anything after
  // them is never needed.
  std::uint64_t remainingCiphertext() const noexcept { return (remaining_ + 15) / 16 * 16; }

  // Decrypts the next whole blocks `blocks` into `out` and returns the
  // plaintext bytes written there; the zero bytes that fill the last block
  // are dropped.  `blocks` may start where `out` does.  Returns 0, doing
  // nothing, for a piece that is not whole blocks, goes past the plaintext
  // or does not fit `out`.
  std::size_t Decrypt(ByteSpan blocks, std::span<std::uint8_t> out) noexcept;

private:
  AesContainerDecryptor(const AesContainerKey &key, std::uint32_t length) noexcept
      : key_(&key), length_(length), remaining_(length) {}

  const AesContainerKey *key_;
  std::uint32_t length_;
  std::uint64_t remaining_;
};

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_AES_CONTAINER_STREAM_H
