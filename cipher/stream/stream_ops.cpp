// Placeholder until the stream ciphers land: empty results.
#include "cipher/engine.h"
namespace filecrypter {
void CipherEngine::Rc6SetKey(ByteSpan, std::int32_t) {}
ByteString CipherEngine::Rc6EncryptCfb8(ByteSpan, ByteSpan) { return {}; }
ByteString CipherEngine::Rc6DecryptCfb8(ByteSpan, ByteSpan) { return {}; }
void CipherEngine::BlowfishSetKey(ByteSpan, std::int32_t) {}
ByteString CipherEngine::BlowfishEncryptCfb8(ByteSpan, ByteSpan) { return {}; }
ByteString CipherEngine::BlowfishDecryptCfb8(ByteSpan, ByteSpan) { return {}; }
} // namespace filecrypter
