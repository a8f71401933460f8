// A main window on a fresh application state, with its controls found by
// their object names, and helpers that act on it as a user would.
#ifndef FILECRYPTER_TESTS_GUI_WINDOW_FIXTURE_H
#define FILECRYPTER_TESTS_GUI_WINDOW_FIXTURE_H

#include "app/app_state.h"
#include "app/program.h"
#include "host/posix_file_system.h"
#include "host/qt/qt_main_window.h"
#include "tests/support/temp_folder.h"

#include <QCheckBox>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace filecrypter::testing {

// Drags `data` onto `window` at `at` (client coordinates) and drops it there,
// through the window system's entry point, so the drop travels the way a real
// one does.  Returns the action the window took, or nullopt when it refused.
std::optional<Qt::DropAction> DragAndDrop(QWidget &window, QMimeData &data, QPoint at,
                                          Qt::DropActions offered = Qt::CopyAction |
                                                                    Qt::MoveAction);
bool DropFiles(QWidget &window, const std::vector<std::filesystem::path> &paths,
               QPoint at = {160, 60});

std::string ReadFile(const std::filesystem::path &path);

class WindowTest : public ::testing::Test {
protected:
  WindowTest();
  ~WindowTest() override;

  template <class Widget> Widget *Control(const char *name) const {
    auto *widget = window_->findChild<Widget *>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QPlainTextEdit *PathBox() const { return Control<QPlainTextEdit>("编辑框1"); }
  QPlainTextEdit *PasswordBox() const { return Control<QPlainTextEdit>("编辑框2"); }
  QCheckBox *FolderBox() const { return Control<QCheckBox>("选择框1"); }
  QPushButton *EncryptButton() const { return Control<QPushButton>("按钮1"); }
  QPushButton *DecryptButton() const { return Control<QPushButton>("按钮2"); }
  QLabel *StatusLabel() const { return Control<QLabel>("透明标签3"); }
  QProgressBar *ProgressBar() const { return Control<QProgressBar>("进度条1"); }
  QColor StatusColour() const { return StatusLabel()->palette().color(QPalette::WindowText); }

  std::optional<Qt::DropAction> DragAndDrop(QMimeData &data, QPoint at = {160, 60},
                                            Qt::DropActions offered = Qt::CopyAction |
                                                                      Qt::MoveAction) {
    return testing::DragAndDrop(*window_, data, at, offered);
  }
  bool DropFiles(const std::vector<std::filesystem::path> &paths, QPoint at = {160, 60}) {
    return testing::DropFiles(*window_, paths, at);
  }

  // Lets window events through until the running command has ended.
  void WaitForCommand();

  std::filesystem::path Folder() const { return folder_.Path(); }
  std::filesystem::path WriteFile(std::string_view name, std::string_view content) const {
    return folder_.Write(name, content);
  }

  TempFolder folder_;
  PosixFileSystem files_;
  std::unique_ptr<ApplicationState> state_ = InitGlobals(files_);
  std::unique_ptr<QtMainWindow> window_;
};

} // namespace filecrypter::testing

#endif // FILECRYPTER_TESTS_GUI_WINDOW_FIXTURE_H
