//===- host/qt/drop_target.cpp - The window's file drop target ------------===//

#include "host/qt/drop_target.h"

#include "host/qt/qt_text.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace filecrypter {
namespace {

// Accepts the drag as a copy (or, failing that, a link), never as a move: a
// source that sees a move accepted may delete the files it dragged here.
bool AcceptWithoutMove(QDropEvent *event) {
  for (Qt::DropAction action : {Qt::CopyAction, Qt::LinkAction}) {
    if (event->possibleActions() & action) {
      event->setDropAction(action);
      event->accept();
      return true;
    }
  }
  event->ignore();
  return false;
}

} // namespace

DropTarget::DropTarget(QObject *parent) : QObject(parent) {}

bool DropTarget::Register(QWidget *window) {
  if (window_ || !window)
    return false;
  window_ = window;
  window->setAcceptDrops(true);
  window->installEventFilter(this);
  return true;
}

std::optional<std::string> DropTarget::DroppedText(const QMimeData *data) {
  if (!data || !data->hasUrls())
    return std::nullopt;
  const QList<QUrl> urls = data->urls();
  if (urls.isEmpty())
    return std::nullopt;

  std::string text;
  for (const QUrl &url : urls) {
    if (!url.isLocalFile() || url.toLocalFile().isEmpty())
      return std::nullopt;
    text += ToNativePath(url.toLocalFile());
    if (urls.size() > 1)
      text += "\r\n";
  }
  return text;
}

bool DropTarget::eventFilter(QObject *watched, QEvent *event) {
  if (watched != window_)
    return QObject::eventFilter(watched, event);

  switch (event->type()) {
  case QEvent::DragEnter:
  case QEvent::DragMove: {
    auto *drag = static_cast<QDropEvent *>(event);
    if (DroppedText(drag->mimeData()))
      AcceptWithoutMove(drag);
    else
      drag->ignore();
    return true;
  }
  case QEvent::Drop: {
    auto *drop = static_cast<QDropEvent *>(event);
    const std::optional<std::string> text = DroppedText(drop->mimeData());
    if (text && AcceptWithoutMove(drop))
      emit filesDropped(*text);
    else
      drop->ignore();
    return true;
  }
  default:
    return QObject::eventFilter(watched, event);
  }
}

} // namespace filecrypter
