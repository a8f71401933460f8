//===- cipher/aes_container_stream.cpp ------------------------------------===//

#include "cipher/aes_container_stream.h"

#include "cipher/aes_block.h"
#include "cipher/secure_wipe.h"

#include <cstring>
#include <new>

namespace filecrypter {

std::optional<AesContainerKey> AesContainerKey::Make(ByteSpan password, std::int32_t keyBits,
                                                     Heap &heap) {
  if (keyBits != 128 && keyBits != 192 && keyBits != 256)
    return std::nullopt;
  std::unique_ptr<CipherEngine> engine(new (std::nothrow) CipherEngine(heap));
  if (!engine)
    return std::nullopt;
  engine->AesSetKey(password, keyBits / 8);
  if (engine->ContextAs<AesContext>() == nullptr)
    return std::nullopt;
  return AesContainerKey(std::move(engine));
}

std::array<std::uint8_t, kContainerHeaderSize> AesContainerEncryptor::Header() const noexcept {
  std::array<std::uint8_t, kContainerHeaderSize> header;
  WriteContainerHeader(header.data(), length_);
  return header;
}

std::size_t AesContainerEncryptor::Encrypt(ByteSpan plain, std::span<std::uint8_t> out) noexcept {
  const std::size_t tail = plain.size() % kAesBlockSize;
  const std::size_t sealed = plain.size() - tail + (tail != 0 ? kAesBlockSize : 0);
  const bool last = plain.size() == remaining_;
  if (plain.empty() || plain.size() > remaining_ || (tail != 0 && !last) || out.size() < sealed)
    return 0;
  const std::size_t wholeBlocks = plain.size() / kAesBlockSize;
  AesEncryptBlocks(key_->context(), key_->rounds(), plain.data(), out.data(), wholeBlocks);
  if (tail != 0) {
    std::uint8_t block[kAesBlockSize] = {};
    std::memcpy(block, plain.data() + wholeBlocks * kAesBlockSize, tail);
    AesEncryptBlocks(key_->context(), key_->rounds(), block, out.data() + wholeBlocks * kAesBlockSize,
                     1);
    SecureWipe(block);
  }
  remaining_ -= plain.size();
  return sealed;
}

std::optional<AesContainerDecryptor> AesContainerDecryptor::Open(const AesContainerKey &key,
                                                                 ByteSpan header,
                                                                 std::uint64_t containerSize) noexcept {
  const std::optional<std::uint32_t> length = ReadContainerLength(header, containerSize);
  if (!length)
    return std::nullopt;
  return AesContainerDecryptor(key, *length);
}

std::size_t AesContainerDecryptor::Decrypt(ByteSpan blocks, std::span<std::uint8_t> out) noexcept {
  const std::size_t plain = blocks.size() < remaining_ ? blocks.size() : static_cast<std::size_t>(remaining_);
  if (blocks.empty() || blocks.size() % kAesBlockSize != 0 ||
      blocks.size() > remainingCiphertext() || out.size() < plain)
    return 0;
  const std::size_t wholeBlocks = plain / kAesBlockSize;
  AesDecryptBlocks(key_->context(), key_->rounds(), blocks.data(), out.data(), wholeBlocks);
  if (const std::size_t tail = plain % kAesBlockSize; tail != 0) {
    // The filled-up last block is opened aside, so that `out` needs no room
    // for its zero bytes.
    std::uint8_t block[kAesBlockSize];
    AesDecryptBlocks(key_->context(), key_->rounds(), blocks.data() + wholeBlocks * kAesBlockSize,
                     block, 1);
    std::memcpy(out.data() + wholeBlocks * kAesBlockSize, block, tail);
    SecureWipe(block);
  }
  remaining_ -= plain;
  return plain;
}

} // namespace filecrypter
