// The window program's life cycle, driven through its real host.
#include "tests/gui/window_fixture.h"

#include "host/qt/qt_program_host.h"

#include <QApplication>
#include <QMetaObject>

namespace filecrypter::testing {
namespace {

// Closing the window while a command runs ends the program only after the
// command has finished writing, and the state is released without a fault.
TEST(ProgramTest, RunsUntilTheWindowClosesAndLetsARunningCommandFinish) {
  const TempFolder folder;
  const std::string plain(3'000'000, 'x');
  const std::filesystem::path file = folder.Write("big.bin", plain);

  int argc = 1;
  char name[] = "filecrypter";
  char *argv[] = {name, nullptr};
  QtProgramHost host(argc, argv);
  bool sawWindow = false;
  QMetaObject::invokeMethod(
      qApp,
      [&] {
        QtMainWindow *window = host.window();
        sawWindow = window && window->isVisible() &&
                    window->windowTitle() == QStringLiteral("文件加密 - 砚舟");
        if (!window)
          return QApplication::quit();
        DropFiles(*window, {file});
        window->findChild<QPushButton *>(QStringLiteral("按钮1"))->click();
        window->close();
      },
      Qt::QueuedConnection);

  EXPECT_EQ(RunProgram(host), 0);
  EXPECT_TRUE(sawWindow);
  EXPECT_EQ(host.window(), nullptr);
  EXPECT_EQ(TempFolder::Read(folder.Path("加密【big】.bin")).size(), 8 + plain.size());
}

} // namespace
} // namespace filecrypter::testing
