//===- app/program.cpp - Start-up and shutdown of the window program ------===//

#include "app/program.h"

#include "app/app_state.h"

namespace filecrypter {
namespace {

// Releases the state when RunProgram is left, however it is left.
class ReleaseAtExit {
public:
  explicit ReleaseAtExit(std::unique_ptr<ApplicationState> &state) : state_(state) {}
  ReleaseAtExit(const ReleaseAtExit &) = delete;
  ReleaseAtExit &operator=(const ReleaseAtExit &) = delete;
  ~ReleaseAtExit() { ReleaseGlobals(state_); }

private:
  std::unique_ptr<ApplicationState> &state_;
};

} // namespace

int RunProgram(ProgramHost &host) {
  host.Initialise();
  std::unique_ptr<ApplicationState> state = InitGlobals(host.Files());
  const ReleaseAtExit release(state);
  LoadMainWindow(host, *state);
  host.RunMessageLoop();
  return 0;
}

std::unique_ptr<ApplicationState> InitGlobals(FileSystem &files) {
  return std::make_unique<ApplicationState>(files);
}

int LoadMainWindow(ProgramHost &host, ApplicationState &state) {
  host.ShowMainWindow(state);
  return 0;
}

void ReleaseGlobals(std::unique_ptr<ApplicationState> &state) {
  if (!state)
    return;
  state->passwordBytes = {};
  state->droppedPath = {};
  state->fileList = {};
  state->fileBuffer.Clear();
  state->resultBytes = {};
  state.reset(); // the cipher engine goes last, with the state itself
}

} // namespace filecrypter
