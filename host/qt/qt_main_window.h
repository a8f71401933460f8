//===- host/qt/qt_main_window.h - The main window in Qt widgets -*- C++ -*-===//
//
// The program's one window: the seven controls at their places, a thin
// progress bar that appears while a command runs, and the window logic of
// app/main_window.h behind the clicks and drops.  Each control's object name
// is its own name (编辑框1, 按钮1, ...), so tools and tests can find it.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_HOST_QT_QT_MAIN_WINDOW_H
#define FILECRYPTER_HOST_QT_QT_MAIN_WINDOW_H

#include "app/main_window.h"
#include "app/main_window_view.h"
#include "host/qt/qt_background_runner.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace filecrypter {

struct ApplicationState;
class DropTarget;

class QtMainWindow final : public QWidget, public MainWindowView {
  Q_OBJECT

public:
  explicit QtMainWindow(ApplicationState &state);
  // Waits for a running command before the window's logic goes away.
  ~QtMainWindow() override;

  std::string PasswordText() const override;
  bool FolderModeChecked() const override;
  void SetPathText(std::string_view text) override;
  void SetStatusText(std::string_view text) override;
  void SetStatusColour(Colour colour) override;
  void SetStatusDetails(std::string_view details) override;
  void SetCommandRunning(bool running) override;
  void ShowProgress(std::uint64_t bytesDone, std::uint64_t bytesTotal) override;
  bool RegisterDropTarget() override;

private:
  void CreateControls();

  QPlainTextEdit *pathBox_ = nullptr;     // 编辑框1
  QPlainTextEdit *passwordBox_ = nullptr; // 编辑框2
  QCheckBox *folderBox_ = nullptr;        // 选择框1
  QPushButton *encryptButton_ = nullptr;  // 按钮1
  QPushButton *decryptButton_ = nullptr;  // 按钮2
  QLabel *statusLabel_ = nullptr;         // 透明标签3
  QProgressBar *progressBar_ = nullptr;
  DropTarget *dropTarget_ = nullptr;      // 拖放对象1

  QtBackgroundRunner runner_;
  std::unique_ptr<MainWindow> logic_;
};

} // namespace filecrypter

#endif // FILECRYPTER_HOST_QT_QT_MAIN_WINDOW_H
