//===- app/background_runner.h - Work off the user-interface thread -*- C++ -*-===//
//
// Commands read, encrypt and write whole files, which can take long.  They run
// on a worker thread so that the window keeps painting and answering; this
// interface is all the window logic needs of that thread, and the window's
// host provides it.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_APP_BACKGROUND_RUNNER_H
#define FILECRYPTER_APP_BACKGROUND_RUNNER_H

#include <functional>

namespace filecrypter {

class BackgroundRunner {
public:
  using Task = std::function<void()>;

  virtual ~BackgroundRunner() = default;

  // Runs `work` on a worker thread, then `finished` on the user-interface
  // thread.  The caller starts the next work only after `finished` ran.
  virtual void Start(Task work, Task finished) = 0;

  // Called from the worker: has `update` run on the user-interface thread
  // before `finished`.  An update that is still waiting when the next one
  // comes is dropped in its favour, so a fast worker cannot flood the window.
  virtual void PostLatest(Task update) = 0;
};

} // namespace filecrypter

#endif // FILECRYPTER_APP_BACKGROUND_RUNNER_H
