//===- cli/progress_bar.h - Progress of a long command on stderr -*- C++ -*-===//
#ifndef FILECRYPTER_CLI_PROGRESS_BAR_H
#define FILECRYPTER_CLI_PROGRESS_BAR_H

#include "app/commands.h"

#include <chrono>
#include <string>

namespace filecrypter {

// Draws one self-overwriting line on standard error while a command runs,
// but only on a terminal and only once the command has taken longer than a
// moment, so that quick runs and redirected output stay clean.
class ProgressBar {
public:
  using Clock = std::chrono::steady_clock;

  explicit ProgressBar(bool enabled, Clock::duration delay = std::chrono::seconds(1))
      : enabled_(enabled), delay_(delay) {}

  // Call when a command starts.
  void Start() noexcept;
  void Update(const CommandProgress &progress);
  // Removes the line, if one was drawn.
  void Finish();

  // The line for `progress`: a bar, the share done and the files done.
  static std::string Render(const CommandProgress &progress);

private:
  bool enabled_;
  Clock::duration delay_;
  Clock::time_point started_{};
  Clock::time_point lastDrawn_{};
  bool drawn_ = false;
};

} // namespace filecrypter

#endif // FILECRYPTER_CLI_PROGRESS_BAR_H
