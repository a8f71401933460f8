//===- app/main_window_view.h - The main window as its logic sees it -*- C++ -*-===//
//
// The window's event handlers (app/main_window.h) reach the window only
// through this interface, so that they know nothing of the window system.
// Texts are the application's own: UTF-8, with paths in the file system's
// native bytes.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_APP_MAIN_WINDOW_VIEW_H
#define FILECRYPTER_APP_MAIN_WINDOW_VIEW_H

#include "app/status_text.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace filecrypter {

class MainWindowView {
public:
  virtual ~MainWindowView() = default;

  // 编辑框2, the password box.
  virtual std::string PasswordText() const = 0;
  // 选择框1: folder mode when ticked.
  virtual bool FolderModeChecked() const = 0;
  // 编辑框1, which shows what was dropped.
  virtual void SetPathText(std::string_view text) = 0;

  // 透明标签3, the status label: its caption, the colour it draws it in, and
  // the details shown when the pointer rests on it (empty for none).
  virtual void SetStatusText(std::string_view text) = 0;
  virtual void SetStatusColour(Colour colour) = 0;
  virtual void SetStatusDetails(std::string_view details) = 0;

  // While a command runs, the buttons and the folder box take no input and a
  // progress bar shows how far the command has come.
  virtual void SetCommandRunning(bool running) = 0;
  virtual void ShowProgress(std::uint64_t bytesDone, std::uint64_t bytesTotal) = 0;

  // Makes 拖放对象1 receive the files dropped on this window; false when it
  // could not (for example because it already serves a window).
  virtual bool RegisterDropTarget() = 0;
};

} // namespace filecrypter

#endif // FILECRYPTER_APP_MAIN_WINDOW_VIEW_H
