// Placeholder until the hexadecimal utilities land: empty results.
#include "cipher/engine.h"
namespace filecrypter {
ByteString CipherEngine::StripSpaces(std::string_view) { return {}; }
ByteString CipherEngine::HexToBytes(ByteString &) { return {}; }
ByteString CipherEngine::BytesToHex(ByteSpan, bool) { return {}; }
} // namespace filecrypter
