//===- host/qt/qt_background_runner.cpp - Worker thread for commands ------===//

#include "host/qt/qt_background_runner.h"

#include <QMetaObject>

#include <utility>

namespace filecrypter {

QtBackgroundRunner::~QtBackgroundRunner() { Wait(); }

void QtBackgroundRunner::Wait() {
  if (worker_.joinable())
    worker_.join();
}

void QtBackgroundRunner::Start(Task work, Task finished) {
  Wait(); // the previous work has returned already; reap its thread
  worker_ = std::thread([this, work = std::move(work), finished = std::move(finished)] {
    work();
    // Queued after every update the work posted, so it runs after them.
    QMetaObject::invokeMethod(&receiver_, finished, Qt::QueuedConnection);
  });
}

void QtBackgroundRunner::PostLatest(Task update) {
  std::lock_guard lock(mutex_);
  latestUpdate_ = std::move(update);
  if (updateQueued_)
    return;
  updateQueued_ = true;
  QMetaObject::invokeMethod(&receiver_, [this] { RunLatestUpdate(); }, Qt::QueuedConnection);
}

void QtBackgroundRunner::RunLatestUpdate() {
  Task update;
  {
    std::lock_guard lock(mutex_);
    update = std::exchange(latestUpdate_, nullptr);
    updateQueued_ = false;
  }
  if (update)
    update();
}

} // namespace filecrypter
