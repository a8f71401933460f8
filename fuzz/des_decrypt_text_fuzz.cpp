//===- fuzz/des_decrypt_text_fuzz.cpp - DesDecryptText on any text ---------===//
//
// Input: a key piece, then the hexadecimal text.
//
//===----------------------------------------------------------------------===//

#include "cipher/engine.h"
#include "fuzz/fuzz_input.h"

using namespace filecrypter;
using namespace filecrypter::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string_view key = AsText(input.Piece());
  const std::string_view hex = AsText(input.Rest());
  CipherEngine engine;
  const ByteString plain = engine.DesDecryptText(hex, key);
  // Two digits make one byte, so the text can never come back longer.
  Check(plain.size() <= hex.size() / 2);
  return 0;
}
