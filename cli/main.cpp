//===- cli/main.cpp - filecrypter-cli -------------------------------------===//
//
// The encrypt and decrypt commands without a window: one command run per
// PATH, failures on standard error, the outputs made on standard output.
//
//===----------------------------------------------------------------------===//

#include "app/app_state.h"
#include "app/commands.h"
#include "app/drop_text.h"
#include "cipher/secure_wipe.h"
#include "cli/cli_options.h"
#include "cli/password.h"
#include "cli/progress_bar.h"
#include "host/posix_file_system.h"
#include "host/real_path.h"
#include "host/terminal.h"

#include <cstring>
#include <iostream>
#include <vector>

namespace {

using namespace filecrypter;

constexpr int kExitOk = 0;
constexpr int kExitFailures = 1;
constexpr int kExitUsage = 2;

int UsageError(std::string_view message) {
  std::cerr << "filecrypter-cli: " << message << "\nTry 'filecrypter-cli --help'.\n";
  return kExitUsage;
}

int Run(int argc, char **argv) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const ParsedCommandLine parsed = ParseCommandLine(arguments);
  if (parsed.action == ParsedCommandLine::Action::kHelp) {
    std::cout << UsageText();
    return kExitOk;
  }
  if (parsed.action == ParsedCommandLine::Action::kUsageError)
    return UsageError(parsed.error);
  const CliOptions &options = parsed.options;

  PosixFileSystem fileSystem;
  ApplicationState state(fileSystem);
  PasswordResult password = ObtainPassword(options, fileSystem);
  // The password's text in the arguments has served its purpose.
  if (options.secretArgument) {
    char *secret = argv[*options.secretArgument + 1];
    SecureWipe({reinterpret_cast<std::uint8_t *>(secret), std::strlen(secret)});
  }
  if (!password.error.empty()) {
    std::cerr << "filecrypter-cli: " << password.error << '\n';
    return kExitUsage;
  }
  state.passwordBytes = std::move(password.bytes);

  ProgressBar progressBar(IsTerminal(StandardStream::kError));
  const ProgressCallback showProgress = [&](const CommandProgress &progress) {
    progressBar.Update(progress);
  };
  bool anyFailed = false;
  for (std::string_view path : options.paths) {
    state.droppedPath = DroppedPathFor(path, RealPath);
    // The commands read a text ending in "\r\n" as several dropped items, so
    // such a name would stand for other files.
    if (SplitDroppedText(state.droppedPath) != std::vector<std::string>{state.droppedPath}) {
      std::cerr << "filecrypter-cli: " << path << ": cannot take a name that ends with a line break\n";
      anyFailed = true;
      continue;
    }
    progressBar.Start();
    const CommandReport report = RunCommand(state, options.kind, options.folderMode, showProgress);
    progressBar.Finish();
    for (const FileFailure &failure : report.failures)
      std::cerr << "filecrypter-cli: " << failure.path << ": " << failure.reason << '\n';
    for (const std::string &made : options.folderMode ? report.outputFolders : report.writtenFiles)
      std::cout << made << '\n';
    anyFailed = anyFailed || !report.ok();
  }
  return anyFailed ? kExitFailures : kExitOk;
}

} // namespace

int main(int argc, char **argv) { return Run(argc, argv); }
