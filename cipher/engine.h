//===- cipher/engine.h - The cipher engine and its operations ---*- C++ -*-===//
//
// `CipherEngine` is the one object of the cryptographic side.  It offers
// seventeen operations as virtual member functions, declared in the fixed
// order of their table positions (0 to 16); the operations reach one another
// only through these virtual calls, so the position table is the vtable.
//
// Memory: every buffer an operation makes comes from the `Heap` bound at
// construction.  One context field holds the key schedule of the cipher that
// is running (AES, RC6 or Blowfish) for the length of one call; it is empty
// between calls except after a key setup called on its own.  Key material is
// wiped before any of its memory goes back to the heap.
//
// Results are new values owned by the caller.  A failure is reported only by
// an empty result; no operation throws.  Texts are read up to their first
// zero byte, and text results are ByteStrings whose bytes are the text.
//
// An engine serves one call at a time; it is not safe to share one engine
// between threads without a lock.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_CIPHER_ENGINE_H
#define FILECRYPTER_CIPHER_ENGINE_H

#include "cipher/byte_string.h"
#include "cipher/heap.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace filecrypter {

using ByteSpan = std::span<const std::uint8_t>;

class CipherEngine {
public:
  explicit CipherEngine(Heap &heap = ProcessHeap()) noexcept : heap_(&heap) {}
  CipherEngine(const CipherEngine &) = delete;
  CipherEngine &operator=(const CipherEngine &) = delete;

  // --- The operation table, in position order. -----------------------------

  // Position 0.  Releases (wiped) a context that is still held.  The engine
  // stays usable; destruction calls this too.
  virtual void Destroy() noexcept;

  // Position 1.  A new engine on the same heap with the same AES round count
  // and an empty context field, so that no two engines own one context.
  // Returns nullptr when memory for the copy cannot be had.
  virtual std::unique_ptr<CipherEngine> Clone() const;

  // Position 2.  DES-encrypts `data` under `key` into uppercase hexadecimal.
  virtual ByteString DesEncryptText(std::string_view data, std::string_view key);

  // Position 3.  Reverses DesEncryptText.
  virtual ByteString DesDecryptText(std::string_view hex, std::string_view key);

  // Position 4.  Builds an RC6 context from the SHA-1 digest of `key`.
  virtual void Rc6SetKey(ByteSpan key, std::int32_t keySize);

  // Positions 5 and 6.  RC6 in 8-bit cipher feedback; result as long as data.
  virtual ByteString Rc6EncryptCfb8(ByteSpan data, ByteSpan key);
  virtual ByteString Rc6DecryptCfb8(ByteSpan data, ByteSpan key);

  // Position 7.  Builds a Blowfish context from the SHA-1 digest of `key`.
  virtual void BlowfishSetKey(ByteSpan key, std::int32_t keySize);

  // Positions 8 and 9.  Blowfish in 8-bit cipher feedback.
  virtual ByteString BlowfishEncryptCfb8(ByteSpan data, ByteSpan key);
  virtual ByteString BlowfishDecryptCfb8(ByteSpan data, ByteSpan key);

  // Position 10.  Makes a `keyLength`-byte AES key (16, 24 or 32) from the
  // first bytes of `password`, zero-filled, and expands both schedules into
  // the context field.  Other lengths are refused and change nothing.
  virtual void AesSetKey(ByteSpan password, std::int32_t keyLength);

  // Position 11.  Encrypts `data` into the container: 32-bit little-endian
  // length, 32-bit zero, then AES-ECB blocks with the last one zero-filled.
  // `keyBits` is 128, 192 or 256.  Empty data gives an empty result.
  virtual ByteString AesEncrypt(ByteSpan data, ByteSpan password, std::int32_t keyBits);

  // Position 12.  Opens a container made by AesEncrypt.  A container that is
  // too short or whose stored length does not fit its blocks gives an empty
  // result; a wrong password is not detected.
  virtual ByteString AesDecrypt(ByteSpan container, ByteSpan password, std::int32_t keyBits);

  // Position 13.  The 20-byte SHA-1 digest; empty data gives an empty result.
  virtual ByteString Sha1Digest(ByteSpan data);

  // Position 14.  `text` without its space characters (0x20).
  virtual ByteString StripSpaces(std::string_view text);

  // Position 15.  Decodes pairs of hexadecimal digits.  Replaces `text` with
  // its space-free copy, as the caller's variable is documented to change.
  virtual ByteString HexToBytes(ByteString &text);

  // Position 16.  Uppercase digit pairs, packed or separated by one space.
  virtual ByteString BytesToHex(ByteSpan bytes, bool packed);

  // --- End of the operation table. ----------------------------------------

  virtual ~CipherEngine();

  // Inspection, for callers that want to check the engine's state.
  bool HoldsContext() const noexcept { return static_cast<bool>(context_); }
  std::span<const std::uint8_t> context() const noexcept { return context_.bytes(); }
  std::uint32_t aes_rounds() const noexcept { return aesRounds_; }
  Heap &heap() const noexcept { return *heap_; }

  // The held context viewed as `Layout`, or nullptr when there is none or it
  // is too small for that layout.
  template <class Layout> const Layout *ContextAs() const noexcept {
    if (context_.size() < sizeof(Layout))
      return nullptr;
    return reinterpret_cast<const Layout *>(context_.data());
  }

protected:
  // For key setups: the held context when it has at least `needed` bytes,
  // otherwise a fresh one of `reserve` bytes (the old one is released).
  // Returns nullptr, with the field empty, when the heap refuses.
  std::uint8_t *AcquireContext(std::size_t needed, std::size_t reserve) noexcept;

  // Wipes and releases the context; the field becomes empty.
  void ReleaseContext() noexcept { context_.Reset(); }

  template <class Layout> Layout *MutableContextAs() noexcept {
    if (context_.size() < sizeof(Layout))
      return nullptr;
    return reinterpret_cast<Layout *>(context_.data());
  }

private:
  Heap *heap_;
  HeapBlock context_;
  std::uint32_t aesRounds_ = 0;
};

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_ENGINE_H
