//===- app/main_window.cpp - The main window's event handlers -------------===//

#include "app/main_window.h"

#include "app/app_state.h"
#include "app/status_text.h"
#include "host/text_encoding.h"

#include <exception>
#include <memory>
#include <string>
#include <utility>

namespace filecrypter {

MainWindow::MainWindow(ApplicationState &state, MainWindowView &view, BackgroundRunner &runner)
    : state_(state), view_(view), runner_(runner) {}

void MainWindow::OnMainWindowCreated() { view_.RegisterDropTarget(); }

void MainWindow::OnFilesDropped(std::string_view droppedText) {
  view_.SetPathText(droppedText);
  if (running_) {
    // The running command still reads the dropped path; take it over when it ends.
    dropDuringCommand_.emplace(droppedText);
    return;
  }
  state_.droppedPath = std::string(droppedText);
  view_.SetStatusText("");
  view_.SetStatusDetails("");
}

void MainWindow::OnEncryptClicked() { StartCommand(CommandKind::kEncrypt); }

void MainWindow::OnDecryptClicked() { StartCommand(CommandKind::kDecrypt); }

void MainWindow::StartCommand(CommandKind kind) {
  if (running_)
    return;
  view_.SetStatusText(kStatusRunning);
  view_.SetStatusColour(kColourRunning);
  view_.SetStatusDetails("");
  state_.passwordBytes = TextToBytes(view_.PasswordText());
  const bool folderMode = view_.FolderModeChecked();

  running_ = true;
  view_.SetCommandRunning(true);
  auto report = std::make_shared<CommandReport>();
  runner_.Start(
      [this, kind, folderMode, report] {
        const auto showProgress = [this](const CommandProgress &progress) {
          runner_.PostLatest([this, progress] {
            view_.ShowProgress(progress.bytesDone, progress.bytesTotal);
          });
        };
        try {
          *report = RunCommand(state_, kind, folderMode, showProgress);
        } catch (const std::exception &error) {
          // Out of memory, most likely: the window must outlive a failed command.
          report->failures.push_back({state_.droppedPath, error.what()});
        }
      },
      [this, report] { OnCommandFinished(*report); });
}

void MainWindow::OnCommandFinished(const CommandReport &report) {
  running_ = false;
  view_.SetCommandRunning(false);
  if (dropDuringCommand_)
    state_.droppedPath = *std::exchange(dropDuringCommand_, std::nullopt);

  const StatusLine status = FinalStatus(report);
  view_.SetStatusText(status.text);
  view_.SetStatusColour(status.colour);
  view_.SetStatusDetails(FailureDetails(report));
}

} // namespace filecrypter
