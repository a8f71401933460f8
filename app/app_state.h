//===- app/app_state.h - The state the commands share -----------*- C++ -*-===//
//
// The application's long-lived values, in one object that whoever runs the
// program (the window or the command-line tool) owns and hands to the
// commands.  Construction makes the empty file list, the file buffer and the
// cipher engine; destruction releases everything, wiping the password and
// every buffer of file content.
//
// A command works only on the state it is given, so it may run on a worker
// thread, provided nothing else touches the state until it returns.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_APP_APP_STATE_H
#define FILECRYPTER_APP_APP_STATE_H

#include "cipher/byte_string.h"
#include "cipher/engine.h"
#include "host/file_buffer.h"
#include "host/file_system.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace filecrypter {

struct ApplicationState {
  explicit ApplicationState(FileSystem &fileSystem) : fileSystem(fileSystem) {}
  ApplicationState(const ApplicationState &) = delete;
  ApplicationState &operator=(const ApplicationState &) = delete;

  // The password's bytes (see TextToBytes), set by the caller before each
  // command; the same for every file of the command.
  ByteString passwordBytes;
  // The text of the last drop: one path, or several each followed by "\r\n".
  std::string droppedPath;
  // Paths collected by the last folder-mode command, and their number.
  std::vector<std::string> fileList;
  std::int32_t fileCount = 0;
  // Holds the file being worked on.
  FileBuffer fileBuffer;
  // The last file's transformed bytes.
  ByteString resultBytes;
  // The one cipher engine; only its AES operations are used here.
  CipherEngine cipher;

  // Where files are read and written.  Not owned; outlives the state.
  FileSystem &fileSystem;
  // Lets a window handle its waiting events while a folder is collected, once
  // per folder.  Empty (nothing to do) without a window, or when commands run
  // off the window's thread.
  std::function<void()> processPendingEvents;
};

} // namespace filecrypter

#endif // FILECRYPTER_APP_APP_STATE_H
