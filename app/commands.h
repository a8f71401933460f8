//===- app/commands.h - The encrypt and decrypt commands --------*- C++ -*-===//
//
// The program's real work.  A command takes the password and the dropped
// text from the state and turns every dropped item, in drop order, into new
// files beside it:
//
//   single-file mode   /docs/report.txt  ->  /docs/加密【report】.txt
//   folder mode        /photos/trip/     ->  /photos/加密【trip】/ holding every
//                                            file of the tree, flattened
//
// Every file passes through AES-128 a piece at a time (transform_file.h), so
// memory stays small whatever the file's size, and is written atomically.  A
// file that fails is reported and skipped; the command goes on with the next.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_APP_COMMANDS_H
#define FILECRYPTER_APP_COMMANDS_H

#include "app/app_state.h"
#include "cipher/byte_string.h"
#include "cipher/engine.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace filecrypter {

enum class CommandKind { kEncrypt, kDecrypt };

// How far a command has come.  Totals are known once every dropped item has
// been collected; files that vanish meanwhile still count as done.
struct CommandProgress {
  std::size_t filesDone = 0;
  std::size_t filesTotal = 0;
  std::uint64_t bytesDone = 0;
  std::uint64_t bytesTotal = 0;
};

// Called on the command's own thread: once when the work is planned, then
// after every piece of a large file and after every file.
using ProgressCallback = std::function<void(const CommandProgress &)>;

struct FileFailure {
  std::string path;   // the input, or the dropped item or output folder concerned
  std::string reason; // short English text
};

struct CommandReport {
  // True when nothing had been dropped: nothing was read, collected or written.
  bool refused = false;
  std::vector<FileFailure> failures;
  // Every output file written, in order.
  std::vector<std::string> writtenFiles;
  // The output folders of folder mode, one per dropped folder.
  std::vector<std::string> outputFolders;

  std::size_t filesWritten() const noexcept { return writtenFiles.size(); }
  bool ok() const noexcept { return !refused && failures.empty(); }
};

// Runs the encrypt or decrypt command on `state.droppedPath` with
// `state.passwordBytes`, in folder mode or single-file mode.  Blocking; see
// app_state.h for running it off the window's thread.
CommandReport RunCommand(ApplicationState &state, CommandKind kind, bool folderMode,
                         const ProgressCallback &progress = {});

// AES-128 of `data` under the first 16 bytes of `key`, into the encrypted
// container, and back.  Empty data, or a container the cipher refuses, gives
// an empty result.
ByteString EncryptBytes(CipherEngine &cipher, ByteSpan data, ByteSpan key);
ByteString DecryptBytes(CipherEngine &cipher, ByteSpan container, ByteSpan key);

// "加密【" or "解密【", the prefix of every output name of `kind`.
std::string_view OutputPrefix(CommandKind kind) noexcept;

} // namespace filecrypter

#endif // FILECRYPTER_APP_COMMANDS_H
