// Placeholder until SHA-1 lands: returns an empty result.
#include "cipher/engine.h"
namespace filecrypter {
ByteString CipherEngine::Sha1Digest(ByteSpan) { return {}; }
} // namespace filecrypter
