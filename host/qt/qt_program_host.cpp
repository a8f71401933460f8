//===- host/qt/qt_program_host.cpp - The program's life cycle on Qt -------===//

#include "host/qt/qt_program_host.h"

#include <QDir>

namespace filecrypter {

void QtProgramHost::Initialise() {
  if (!QApplication::instance())
    application_ = std::make_unique<QApplication>(argc_, argv_);
  QApplication::setApplicationName(QStringLiteral("filecrypter"));
  QGuiApplication::setDesktopFileName(QStringLiteral("filecrypter"));
  QDir::setCurrent(QApplication::applicationDirPath());
}

void QtProgramHost::ShowMainWindow(ApplicationState &state) {
  window_ = std::make_unique<QtMainWindow>(state);
  window_->show();
}

void QtProgramHost::RunMessageLoop() {
  QApplication::exec();
  window_.reset();
}

} // namespace filecrypter
