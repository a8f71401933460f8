//===- app/commands.cpp ---------------------------------------------------===//

#include "app/commands.h"

#include "app/collect_files.h"
#include "app/drop_text.h"
#include "app/output_names.h"
#include "app/transform_file.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

namespace filecrypter {
namespace {

// One file to transform.  In folder mode its output name is settled only
// when it is written, since it depends on the names written before it.
struct FileTask {
  std::string input;
  std::string output; // the output file, or in folder mode the output folder
  bool intoFolder = false;
  std::uint64_t size = 0;
};

// Collects a dropped folder and makes its output folder, adding a task per
// file, or failures when that cannot be done.
void PlanFolder(ApplicationState &state, CommandKind kind, const std::string &folder,
                std::vector<std::string> &collected, std::vector<FileTask> &tasks,
                CommandReport &report) {
  if (!state.fileSystem.IsFolder(folder)) {
    report.failures.push_back({folder, "not a folder"});
    return;
  }
  const std::size_t first = collected.size();
  std::vector<std::string> unlisted;
  CollectFiles(state, folder, "*.*", collected, &unlisted);
  // Files in a folder that cannot be listed are missed: that is no success.
  for (std::string &missed : unlisted)
    report.failures.push_back({std::move(missed), "cannot list this folder"});

  std::string outputFolder = OutputFolderName(folder, kind);
  // An output folder left by an earlier command is used again.
  if (Status made = state.fileSystem.CreateFolder(outputFolder);
      !made && !state.fileSystem.IsFolder(outputFolder)) {
    const std::string reason = "cannot create " + outputFolder + ": " + made.reason();
    if (first == collected.size())
      report.failures.push_back({folder, reason});
    for (std::size_t i = first; i < collected.size(); ++i)
      report.failures.push_back({collected[i], reason});
    return;
  }
  for (std::size_t i = first; i < collected.size(); ++i)
    tasks.push_back({collected[i], outputFolder, true});
  report.outputFolders.push_back(std::move(outputFolder));
}

} // namespace

CommandReport RunCommand(ApplicationState &state, CommandKind kind, bool folderMode,
                         const ProgressCallback &progress) {
  CommandReport report;
  const std::vector<std::string> items = SplitDroppedText(state.droppedPath);
  if (items.empty()) {
    report.refused = true;
    return report;
  }

  // Plan first, so that the totals are known before the first file.  The
  // plan is the command's own: events handled during collection cannot
  // change what it works on.
  std::vector<FileTask> tasks;
  if (folderMode) {
    std::vector<std::string> collected;
    for (const std::string &item : items)
      PlanFolder(state, kind, item, collected, tasks, report);
    state.fileList = std::move(collected);
    state.fileCount = static_cast<std::int32_t>(state.fileList.size());
  } else {
    for (const std::string &item : items)
      tasks.push_back({item, SingleFileOutputName(item, kind), false});
  }

  CommandProgress done;
  done.filesTotal = tasks.size();
  for (FileTask &task : tasks) {
    task.size = state.fileSystem.FileSize(task.input).value_or(0);
    done.bytesTotal += task.size;
  }
  if (progress)
    progress(done);

  // One key and one buffer serve every file of the command; both are wiped
  // when it ends.
  const std::optional<AesContainerKey> key = AesContainerKey::Make(state.passwordBytes, 128);
  std::optional<ByteString> buffer = ByteString::Allocate(ProcessHeap(), kFilePieceSize);
  std::unordered_set<std::string> written;
  for (const FileTask &task : tasks) {
    const std::string output =
        task.intoFolder ? FreeOutputName(task.output, task.input, written) : task.output;
    // Within a file, so that a large one moves the bar; its last piece is
    // reported as the file's end below.
    const FileProgress within = [&](std::uint64_t inputBytesDone) {
      if (!progress || inputBytesDone >= task.size)
        return;
      CommandProgress now = done;
      now.bytesDone += std::min(inputBytesDone, task.size);
      progress(now);
    };
    const Status result =
        key && buffer ? TransformFile(state.fileSystem, *key, buffer->mutable_bytes(), kind,
                                      task.input, output, within)
                      : Status::Failure("not enough memory");
    if (result) {
      report.writtenFiles.push_back(output);
      if (task.intoFolder)
        written.insert(output);
    } else {
      report.failures.push_back({task.input, result.reason()});
    }
    ++done.filesDone;
    done.bytesDone += task.size;
    if (progress)
      progress(done);
  }

  return report;
}

} // namespace filecrypter
