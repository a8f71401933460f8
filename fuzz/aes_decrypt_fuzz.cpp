//===- fuzz/aes_decrypt_fuzz.cpp - AesDecrypt on any container -------------===//
//
// Input: one byte choosing the key size (including sizes the engine must
// refuse), a password piece, then the container.
//
//===----------------------------------------------------------------------===//

#include "cipher/engine.h"
#include "fuzz/fuzz_input.h"

#include <array>

using namespace filecrypter;
using namespace filecrypter::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  constexpr std::array<std::int32_t, 5> kKeyBits = {128, 192, 256, 0, 129};
  FuzzInput input(data, size);
  const std::int32_t keyBits = kKeyBits[input.Byte() % kKeyBits.size()];
  const ByteSpan password = input.Piece();
  const ByteSpan container = input.Rest();

  CipherEngine engine;
  const ByteString plain = engine.AesDecrypt(container, password, keyBits);
  if (plain.size() == 0)
    return 0;
  // Whatever opens holds exactly the stored length, all within the blocks.
  Check(container.size() >= 8);
  const std::uint32_t stored = container[0] | container[1] << 8 | container[2] << 16 |
                               static_cast<std::uint32_t>(container[3]) << 24;
  Check(plain.size() == stored && plain.size() <= container.size() - 8);
  Check(!engine.HoldsContext());
  return 0;
}
