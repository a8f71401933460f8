#include "tests/gui/window_fixture.h"

#include "host/qt/qt_text.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QUrl>
#include <QWindow>

namespace filecrypter::testing {

WindowTest::WindowTest() : window_(std::make_unique<QtMainWindow>(*state_)) { window_->show(); }

WindowTest::~WindowTest() { window_.reset(); }

std::optional<Qt::DropAction> DragAndDrop(QWidget &window, QMimeData &data, QPoint at,
                                          Qt::DropActions offered) {
  QWindow *handle = window.windowHandle();
  QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(handle, &enter);
  QDragMoveEvent move(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(handle, &move);
  // A refused drag still ends in a drop here, to show the drop changes nothing.
  QDropEvent drop(QPointF(at), offered, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(handle, &drop);
  if (!enter.isAccepted() || !move.isAccepted() || !drop.isAccepted())
    return std::nullopt;
  return drop.dropAction();
}

bool DropFiles(QWidget &window, const std::vector<std::filesystem::path> &paths, QPoint at) {
  QList<QUrl> urls;
  for (const std::filesystem::path &path : paths)
    urls.append(QUrl::fromLocalFile(FromNativePath(path.string())));
  QMimeData data;
  data.setUrls(urls);
  return DragAndDrop(window, data, at).has_value();
}

void WindowTest::WaitForCommand() {
  while (!EncryptButton()->isEnabled())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

std::string ReadFile(const std::filesystem::path &path) { return TempFolder::Read(path.string()); }

} // namespace filecrypter::testing
