//===- fuzz/hex_to_bytes_fuzz.cpp - HexToBytes on any text -----------------===//

#include "cipher/engine.h"
#include "fuzz/fuzz_input.h"

using namespace filecrypter;
using namespace filecrypter::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  CipherEngine engine;
  ByteString text(std::span<const std::uint8_t>(data, size));
  const ByteString bytes = engine.HexToBytes(text);
  // The caller's text is left without spaces, and two digits make one byte
  // (an odd last one makes a byte of its own).
  Check(text.view().find(' ') == std::string_view::npos);
  Check(bytes.size() == (text.size() + 1) / 2);
  // Packed hexadecimal of the result reads back to the same bytes.
  ByteString again = engine.BytesToHex(bytes.bytes(), true);
  Check(engine.HexToBytes(again).view() == bytes.view());
  return 0;
}
