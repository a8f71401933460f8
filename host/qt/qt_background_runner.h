//===- host/qt/qt_background_runner.h - Worker thread for commands -*- C++ -*-===//
//
// Runs the window's commands on a worker thread and hands their progress and
// their end back to the user-interface thread through Qt's queued calls.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_HOST_QT_QT_BACKGROUND_RUNNER_H
#define FILECRYPTER_HOST_QT_QT_BACKGROUND_RUNNER_H

#include "app/background_runner.h"

#include <QObject>

#include <mutex>
#include <thread>

namespace filecrypter {

class QtBackgroundRunner final : public BackgroundRunner {
public:
  // Must be made on the user-interface thread: the calls handed back run there.
  QtBackgroundRunner() = default;
  QtBackgroundRunner(const QtBackgroundRunner &) = delete;
  QtBackgroundRunner &operator=(const QtBackgroundRunner &) = delete;
  // Waits for running work to end; its `finished` is then never called.
  ~QtBackgroundRunner() override;

  void Start(Task work, Task finished) override;
  void PostLatest(Task update) override;

  // Blocks until running work (not its `finished`) has returned.
  void Wait();

private:
  void RunLatestUpdate();

  QObject receiver_; // the queued calls' target, living on the UI thread
  std::mutex mutex_;
  Task latestUpdate_;           // guarded by mutex_
  bool updateQueued_ = false;   // guarded by mutex_
  std::thread worker_;
};

} // namespace filecrypter

#endif // FILECRYPTER_HOST_QT_QT_BACKGROUND_RUNNER_H
