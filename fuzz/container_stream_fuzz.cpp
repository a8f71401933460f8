//===- fuzz/container_stream_fuzz.cpp - Containers opened in pieces --------===//
//
// Files are decrypted a piece at a time; whatever the container, that must
// agree byte for byte with AesDecrypt on the whole of it, refusals included.
// Input: one byte choosing the key size, one choosing the piece size in
// blocks, a password piece, then the container.
//
//===----------------------------------------------------------------------===//

#include "cipher/aes_container_stream.h"
#include "cipher/engine.h"
#include "fuzz/fuzz_input.h"

#include <algorithm>
#include <array>
#include <vector>

using namespace filecrypter;
using namespace filecrypter::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  constexpr std::array<std::int32_t, 4> kKeyBits = {128, 192, 256, 100};
  FuzzInput input(data, size);
  const std::int32_t keyBits = kKeyBits[input.Byte() % kKeyBits.size()];
  const std::size_t pieceSize = (input.Byte() % 8 + 1) * std::size_t{16};
  const ByteSpan password = input.Piece();
  const ByteSpan container = input.Rest();

  CipherEngine engine;
  const ByteString whole = engine.AesDecrypt(container, password, keyBits);

  const std::optional<AesContainerKey> key = AesContainerKey::Make(password, keyBits);
  if (!key || container.size() < kContainerHeaderSize) {
    Check(whole.empty());
    return 0;
  }
  std::optional<AesContainerDecryptor> opened =
      AesContainerDecryptor::Open(*key, container.first(kContainerHeaderSize), container.size());
  if (!opened) {
    Check(whole.empty());
    return 0;
  }
  AesContainerDecryptor &decryptor = *opened;
  Check(decryptor.length() == whole.size());
  Check(kContainerHeaderSize + decryptor.remainingCiphertext() <= container.size());

  ByteSpan blocks = container.subspan(kContainerHeaderSize, decryptor.remainingCiphertext());
  std::vector<std::uint8_t> plain;
  std::vector<std::uint8_t> out(pieceSize);
  while (!blocks.empty()) {
    const ByteSpan piece = blocks.first(std::min(pieceSize, blocks.size()));
    const std::size_t made = decryptor.Decrypt(piece, out);
    Check(made > 0 && made <= piece.size());
    plain.insert(plain.end(), out.begin(), out.begin() + static_cast<std::ptrdiff_t>(made));
    blocks = blocks.subspan(piece.size());
  }
  Check(decryptor.remainingCiphertext() == 0);
  Check(std::equal(plain.begin(), plain.end(), whole.data(), whole.data() + whole.size()));
  return 0;
}
