//===- host/qt/qt_program_host.h - The program's life cycle on Qt -*- C++ -*-===//
#ifndef FILECRYPTER_HOST_QT_QT_PROGRAM_HOST_H
#define FILECRYPTER_HOST_QT_QT_PROGRAM_HOST_H

#include "app/program.h"
#include "host/posix_file_system.h"
#include "host/qt/qt_main_window.h"

#include <QApplication>

#include <memory>

namespace filecrypter {

class QtProgramHost final : public ProgramHost {
public:
  // `argc` and `argv` are main's; they must outlive the host.
  QtProgramHost(int &argc, char **argv) : argc_(argc), argv_(argv) {}

  // Makes the QApplication unless the process has one already.
  void Initialise() override;
  FileSystem &Files() override { return files_; }
  void ShowMainWindow(ApplicationState &state) override;
  void RunMessageLoop() override;

  QtMainWindow *window() const noexcept { return window_.get(); }

private:
  int &argc_;
  char **argv_;
  PosixFileSystem files_;
  std::unique_ptr<QApplication> application_;
  std::unique_ptr<QtMainWindow> window_;
};

} // namespace filecrypter

#endif // FILECRYPTER_HOST_QT_QT_PROGRAM_HOST_H
