//===- cipher/stream/stream_ops.cpp - RC6 and Blowfish byte streams -------===//
//
// The four byte-stream operations.  Each call is a whole stream: the key
// setup builds a fresh schedule, the register starts at E(0), the result is
// exactly as long as the data, and the context is released before return.
//
//===----------------------------------------------------------------------===//

#include "cipher/engine.h"
#include "cipher/stream/cfb8_ciphers.h"

#include <optional>

namespace filecrypter {
namespace {

// The key size the operations pass to their key setups, which key both
// ciphers with the key's SHA-1 digest and take no account of it.
constexpr std::int32_t kKeySizeArgument = 16;

// The stream over a keyed context; an empty result when the result cannot
// be allocated.
template <class Context, Cfb8Cipher Cipher>
ByteString RunStream(Heap &heap, Context &context, const Cipher &cipher, ByteSpan data,
                     Cfb8Direction direction) {
  std::optional<ByteString> result = ByteString::Allocate(heap, data.size());
  if (!result)
    return {};
  context.feedback = cipher.Encrypt(typename Cipher::Block{}); // E(0)
  context.feedback = Cfb8Stream(cipher, direction, context.feedback, data, result->mutable_bytes());
  return std::move(*result);
}

// No context means the key setup failed: no key, or no memory.
ByteString RunRc6(Heap &heap, Rc6Context *context, ByteSpan data, Cfb8Direction direction) {
  if (context == nullptr || data.empty())
    return {};
  return RunStream(heap, *context, Rc6Cfb8{&context->schedule}, data, direction);
}

ByteString RunBlowfish(Heap &heap, BlowfishContext *context, ByteSpan data,
                       Cfb8Direction direction) {
  if (context == nullptr || data.empty())
    return {};
  return RunStream(heap, *context, BlowfishCfb8{context}, data, direction);
}

} // namespace

ByteString CipherEngine::Rc6EncryptCfb8(ByteSpan data, ByteSpan key) {
  Rc6SetKey(key, kKeySizeArgument);
  ByteString result = RunRc6(heap(), MutableContextAs<Rc6Context>(), data, Cfb8Direction::kEncrypt);
  ReleaseContext();
  return result;
}

ByteString CipherEngine::Rc6DecryptCfb8(ByteSpan data, ByteSpan key) {
  Rc6SetKey(key, kKeySizeArgument);
  ByteString result = RunRc6(heap(), MutableContextAs<Rc6Context>(), data, Cfb8Direction::kDecrypt);
  ReleaseContext();
  return result;
}

ByteString CipherEngine::BlowfishEncryptCfb8(ByteSpan data, ByteSpan key) {
  BlowfishSetKey(key, kKeySizeArgument);
  ByteString result =
      RunBlowfish(heap(), MutableContextAs<BlowfishContext>(), data, Cfb8Direction::kEncrypt);
  ReleaseContext();
  return result;
}

ByteString CipherEngine::BlowfishDecryptCfb8(ByteSpan data, ByteSpan key) {
  BlowfishSetKey(key, kKeySizeArgument);
  ByteString result =
      RunBlowfish(heap(), MutableContextAs<BlowfishContext>(), data, Cfb8Direction::kDecrypt);
  ReleaseContext();
  return result;
}

} // namespace filecrypter
