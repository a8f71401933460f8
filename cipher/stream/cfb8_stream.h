//===- cipher/stream/cfb8_stream.h - 8-bit cipher feedback ------*- C++ -*-===//
//
// Runs a block cipher over a byte string in 8-bit cipher feedback: each data
// byte is XORed with the first byte of E(register), and the register then
// drops its first byte and takes the ciphertext byte at its end.  Only the
// cipher's encryption direction is used, for decryption too.
//
// The register is a value of the cipher's block type, so the loop keeps it
// and the block function's state in registers and touches memory only for
// the data, the result and the key schedule.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_CIPHER_STREAM_CFB8_STREAM_H
#define FILECRYPTER_CIPHER_STREAM_CFB8_STREAM_H

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>

namespace filecrypter {

enum class Cfb8Direction { kEncrypt, kDecrypt };

// What the stream needs of a cipher: its block encryption, the block's first
// byte in the cipher's byte order, and the register shifted one byte
// towards its start with a new last byte.
template <class C>
concept Cfb8Cipher = requires(const C &cipher, const typename C::Block &block, std::uint8_t byte) {
  { cipher.Encrypt(block) } -> std::same_as<typename C::Block>;
  { C::FirstByte(block) } -> std::same_as<std::uint8_t>;
  { C::ShiftIn(block, byte) } -> std::same_as<typename C::Block>;
};

namespace cfb8_detail {

// Encrypting, each register waits for the byte the previous one produced, so
// the loop runs at the speed of one block encryption after another.
// Decrypting, the registers follow from the input alone, and the processor
// overlaps the encryptions of consecutive bytes by itself.
template <Cfb8Direction direction, Cfb8Cipher Cipher>
typename Cipher::Block Run(const Cipher &cipher, typename Cipher::Block reg, const std::uint8_t *src,
                           std::uint8_t *dst, std::size_t length) noexcept {
  for (std::size_t i = 0; i < length; ++i) {
    const std::uint8_t x = src[i];
    const std::uint8_t y = x ^ Cipher::FirstByte(cipher.Encrypt(reg));
    dst[i] = y;
    reg = Cipher::ShiftIn(reg, direction == Cfb8Direction::kEncrypt ? y : x);
  }
  return reg;
}

} // namespace cfb8_detail

// Transforms `in` into `out` (same length, not overlapping) starting from
// `reg` and returns the register after the last byte.
template <Cfb8Cipher Cipher>
typename Cipher::Block Cfb8Stream(const Cipher &cipher, Cfb8Direction direction,
                                  typename Cipher::Block reg, std::span<const std::uint8_t> in,
                                  std::span<std::uint8_t> out) noexcept {
  if (direction == Cfb8Direction::kEncrypt)
    return cfb8_detail::Run<Cfb8Direction::kEncrypt>(cipher, reg, in.data(), out.data(), in.size());
  return cfb8_detail::Run<Cfb8Direction::kDecrypt>(cipher, reg, in.data(), out.data(), in.size());
}

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_STREAM_CFB8_STREAM_H
