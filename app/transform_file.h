//===- app/transform_file.h - One file through the cipher -------*- C++ -*-===//
//
// Files pass through the encrypted container a piece at a time, so that a
// file of any size needs one buffer's worth of memory.  The output is byte
// for byte what EncryptBytes or DecryptBytes make of the whole file.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_APP_TRANSFORM_FILE_H
#define FILECRYPTER_APP_TRANSFORM_FILE_H

#include "app/commands.h"
#include "cipher/aes_container_stream.h"
#include "host/file_system.h"
#include "host/status.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace filecrypter {

// The buffer a command's files pass through: large enough that system calls
// cost little beside the cipher, small enough to stay out of the way.
inline constexpr std::size_t kFilePieceSize = std::size_t{1} << 20;

// Told how many bytes of the input are done, after every piece.
using FileProgress = std::function<void(std::uint64_t inputBytesDone)>;

// Encrypts or decrypts `input` under `key` into `output`, reading, ciphering
// and writing through `buffer` (whole blocks, at least two).  The output is
// written atomically; nothing is written when the input cannot be read, is
// too large for the container, changes size while it is read, or is not a
// container that can be opened; the reason comes back instead.  An empty
// input gives an empty output.  The buffer keeps file content: the caller
// wipes it.
Status TransformFile(FileSystem &fileSystem, const AesContainerKey &key,
                     std::span<std::uint8_t> buffer, CommandKind kind, std::string_view input,
                     std::string_view output, const FileProgress &progress = {});

} // namespace filecrypter

#endif // FILECRYPTER_APP_TRANSFORM_FILE_H
