//===- host/qt/drop_target.h - The window's file drop target ----*- C++ -*-===//
//
// 拖放对象1, the main window's drop target.  It draws nothing: once registered
// with a window it watches that window's drag and drop events, so files and
// folders dropped anywhere on the window arrive as one text of native paths,
// a single path as it is, several paths each followed by "\r\n", in the
// order the drag source lists them.  Other dragged data (plain text, web
// links) is refused, so the pointer shows that it cannot be dropped.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_HOST_QT_DROP_TARGET_H
#define FILECRYPTER_HOST_QT_DROP_TARGET_H

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <optional>
#include <string>

class QMimeData;

namespace filecrypter {

class DropTarget : public QObject {
  Q_OBJECT

public:
  explicit DropTarget(QObject *parent = nullptr);

  // Makes `window` accept drops and routes them here.  False, with nothing
  // changed, when this target already serves a window.
  bool Register(QWidget *window);

  // The joined text for dragged data, or nullopt when it is not a list of
  // local files and folders.
  static std::optional<std::string> DroppedText(const QMimeData *data);

signals:
  void filesDropped(const std::string &text);

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QPointer<QWidget> window_;
};

} // namespace filecrypter

#endif // FILECRYPTER_HOST_QT_DROP_TARGET_H
