//===- app/main_window.h - The main window's event handlers -----*- C++ -*-===//
//
// What happens when the main window is created, when files are dropped on it
// and when its buttons are clicked.  A command runs off the user-interface
// thread; while it runs the window keeps answering, but the buttons and the
// folder box take no input, so no command starts inside another.
//
// A drop during a command shows its path at once and becomes the dropped
// path when the command ends, so the running command keeps working on what
// it started with.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_APP_MAIN_WINDOW_H
#define FILECRYPTER_APP_MAIN_WINDOW_H

#include "app/background_runner.h"
#include "app/commands.h"
#include "app/main_window_view.h"

#include <optional>
#include <string>
#include <string_view>

namespace filecrypter {

struct ApplicationState;

class MainWindow {
public:
  MainWindow(ApplicationState &state, MainWindowView &view, BackgroundRunner &runner);
  MainWindow(const MainWindow &) = delete;
  MainWindow &operator=(const MainWindow &) = delete;

  void OnMainWindowCreated();
  void OnFilesDropped(std::string_view droppedText);
  void OnEncryptClicked();
  void OnDecryptClicked();

  bool CommandRunning() const noexcept { return running_; }

private:
  void StartCommand(CommandKind kind);
  void OnCommandFinished(const CommandReport &report);

  ApplicationState &state_;
  MainWindowView &view_;
  BackgroundRunner &runner_;
  bool running_ = false;
  std::optional<std::string> dropDuringCommand_;
};

} // namespace filecrypter

#endif // FILECRYPTER_APP_MAIN_WINDOW_H
