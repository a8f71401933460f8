//===- app/transform_file.cpp ---------------------------------------------===//

#include "app/transform_file.h"

#include "cipher/aes_container.h"

#include <string>

namespace filecrypter {

ByteString EncryptBytes(CipherEngine &cipher, ByteSpan data, ByteSpan key) {
  return cipher.AesEncrypt(data, key, 128);
}

ByteString DecryptBytes(CipherEngine &cipher, ByteSpan container, ByteSpan key) {
  return cipher.AesDecrypt(container, key, 128);
}

Status TransformFile(ApplicationState &state, CommandKind kind, std::string_view input,
                     std::string_view output) {
  state.fileBuffer.Clear();
  if (Status loaded = state.fileBuffer.LoadFile(state.fileSystem, input); !loaded)
    return Status::Failure("cannot read it: " + loaded.reason());
  const ByteSpan data = state.fileBuffer.bytes();

  if (kind == CommandKind::kEncrypt) {
    state.resultBytes = EncryptBytes(state.cipher, data, state.passwordBytes);
    if (!data.empty() && state.resultBytes.empty())
      return Status::Failure("cannot encrypt it: not enough memory");
  } else {
    state.resultBytes = DecryptBytes(state.cipher, data, state.passwordBytes);
    // An empty result is right for an empty input and for a container that
    // holds an empty file; anything else was refused by the cipher.
    if (!data.empty() && state.resultBytes.empty() &&
        ReadContainerLength(data, data.size()) != 0u)
      return Status::Failure("not a file this program encrypted, or damaged");
  }

  if (Status written = state.fileSystem.WriteWholeFile(output, state.resultBytes); !written)
    return Status::Failure("cannot write " + std::string(output) + ": " + written.reason());
  return Status();
}

} // namespace filecrypter
