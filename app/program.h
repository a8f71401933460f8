//===- app/program.h - Start-up and shutdown of the window program -*- C++ -*-===//
//
// The life cycle of the window program: the host gets ready, the application
// state is made, the main window opens, the host's message loop runs until
// that window closes, and then the state is released in a fixed order.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_APP_PROGRAM_H
#define FILECRYPTER_APP_PROGRAM_H

#include <memory>

namespace filecrypter {

struct ApplicationState;
class FileSystem;

// What the life cycle needs of the window system.
class ProgramHost {
public:
  virtual ~ProgramHost() = default;

  // Readies the window system and makes the folder holding the program file
  // the current folder.
  virtual void Initialise() = 0;
  // The file system the commands work on; lives as long as the host.
  virtual FileSystem &Files() = 0;
  // Creates the main window on `state` and shows it without waiting for it.
  virtual void ShowMainWindow(ApplicationState &state) = 0;
  // Delivers window events until the main window has been closed, then
  // destroys it (after any command it was running has ended).
  virtual void RunMessageLoop() = 0;
};

// The program's entry; returns its exit status, 0.
int RunProgram(ProgramHost &host);

// The application state of a fresh start on `files`: nothing dropped, empty
// lists, an empty file buffer and a constructed cipher engine.
std::unique_ptr<ApplicationState> InitGlobals(FileSystem &files);

// Opens the main window; returns 0.
int LoadMainWindow(ProgramHost &host, ApplicationState &state);

// Releases the state in a fixed order: password, dropped path, file list,
// file buffer, result, and the cipher engine last.  Leaves `state` empty.
void ReleaseGlobals(std::unique_ptr<ApplicationState> &state);

} // namespace filecrypter

#endif // FILECRYPTER_APP_PROGRAM_H
