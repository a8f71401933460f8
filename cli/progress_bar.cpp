//===- cli/progress_bar.cpp -----------------------------------------------===//

#include "cli/progress_bar.h"

#include "host/terminal.h"

namespace filecrypter {
namespace {

constexpr int kBarWidth = 30;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

// The share done, 0 to 1: by bytes when there are any, else by files.
double ShareDone(const CommandProgress &progress) {
  if (progress.bytesTotal > 0)
    return static_cast<double>(progress.bytesDone) / static_cast<double>(progress.bytesTotal);
  if (progress.filesTotal > 0)
    return static_cast<double>(progress.filesDone) / static_cast<double>(progress.filesTotal);
  return 1.0;
}

} // namespace

std::string ProgressBar::Render(const CommandProgress &progress) {
  const double share = ShareDone(progress);
  const int filled = static_cast<int>(share * kBarWidth);
  std::string line = "[";
  line.append(static_cast<std::size_t>(filled), '#');
  line.append(static_cast<std::size_t>(kBarWidth - filled), '-');
  line += "] " + std::to_string(static_cast<int>(share * 100)) + "%  " +
          std::to_string(progress.filesDone) + "/" + std::to_string(progress.filesTotal) +
          " files";
  return line;
}

void ProgressBar::Start() noexcept {
  started_ = Clock::now();
  drawn_ = false;
}

void ProgressBar::Update(const CommandProgress &progress) {
  if (!enabled_)
    return;
  const Clock::time_point now = Clock::now();
  if (now - started_ < delay_ || (drawn_ && now - lastDrawn_ < kRedrawInterval))
    return;
  // Appended rather than "\r" + ..., which GCC 12 flags with a false -Wrestrict.
  std::string line = "\r";
  line += Render(progress);
  line += "\x1b[K";
  WriteError(line);
  lastDrawn_ = now;
  drawn_ = true;
}

void ProgressBar::Finish() {
  if (drawn_)
    WriteError("\r\x1b[K");
  drawn_ = false;
}

} // namespace filecrypter
