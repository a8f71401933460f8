//===- fuzz/cfb8_fuzz.cpp - The four CFB-8 operations on any bytes ---------===//
//
// Input: one byte choosing the operation, a key piece, then the data.  The
// result must be as long as the data, and the opposite operation must give
// the data back.
//
//===----------------------------------------------------------------------===//

#include "cipher/engine.h"
#include "fuzz/fuzz_input.h"

using namespace filecrypter;
using namespace filecrypter::fuzz;

namespace {

using Operation = ByteString (CipherEngine::*)(ByteSpan, ByteSpan);

struct Pair {
  Operation forward;
  Operation backward;
};

constexpr Pair kPairs[] = {
    {&CipherEngine::Rc6EncryptCfb8, &CipherEngine::Rc6DecryptCfb8},
    {&CipherEngine::Rc6DecryptCfb8, &CipherEngine::Rc6EncryptCfb8},
    {&CipherEngine::BlowfishEncryptCfb8, &CipherEngine::BlowfishDecryptCfb8},
    {&CipherEngine::BlowfishDecryptCfb8, &CipherEngine::BlowfishEncryptCfb8},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  FuzzInput input(data, size);
  const Pair &pair = kPairs[input.Byte() % std::size(kPairs)];
  const ByteSpan key = input.Piece();
  const ByteSpan text = input.Rest();

  CipherEngine engine;
  const ByteString once = (engine.*pair.forward)(text, key);
  if (once.size() == 0)
    return 0; // refused, e.g. no data or no key
  Check(once.size() == text.size());
  const ByteString back = (engine.*pair.backward)(once.bytes(), key);
  Check(back.size() == text.size() &&
        std::equal(text.begin(), text.end(), back.data()));
  return 0;
}
