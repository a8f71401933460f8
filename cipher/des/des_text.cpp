// Placeholder until DES lands: empty results.
#include "cipher/engine.h"
namespace filecrypter {
ByteString CipherEngine::DesEncryptText(std::string_view, std::string_view) { return {}; }
ByteString CipherEngine::DesDecryptText(std::string_view, std::string_view) { return {}; }
} // namespace filecrypter
