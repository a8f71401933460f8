//===- cli/cli_options.h - The command line of filecrypter-cli --*- C++ -*-===//
#ifndef FILECRYPTER_CLI_CLI_OPTIONS_H
#define FILECRYPTER_CLI_CLI_OPTIONS_H

#include "app/commands.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace filecrypter {

enum class PasswordSource {
  kPrompt,  // a terminal prompt, or the first line of standard input
  kText,    // --password TEXT
  kFile,    // --password-file FILE
  kDefault, // --default-password
};

struct CliOptions {
  CommandKind kind = CommandKind::kEncrypt;
  bool folderMode = false;
  PasswordSource passwordSource = PasswordSource::kPrompt;
  std::string_view passwordArgument; // the TEXT or FILE, pointing into the arguments
  // Which argument holds a password TEXT, so that it can be wiped once used.
  std::optional<std::size_t> secretArgument;
  std::vector<std::string_view> paths;
};

struct ParsedCommandLine {
  enum class Action { kRun, kHelp, kUsageError };
  Action action = Action::kUsageError;
  CliOptions options;
  std::string error; // for kUsageError
};

// Parses the arguments after the program's name.  Options may come before
// or after the command word and the paths; "--" ends the options.
ParsedCommandLine ParseCommandLine(std::span<const std::string_view> arguments);

// What `--help` prints.
std::string_view UsageText() noexcept;

// Resolves a path to an absolute one without "." or ".." components.
using PathResolver = std::function<std::optional<std::string>(std::string_view)>;

// The path a command-line PATH stands for, in the form the commands expect
// of a dropped item, which always names its folder and its own name: without
// trailing '/', resolved by `resolve` when it ends in "." or "..", and with
// "./" in front when it has no folder part, so that outputs land beside it.
std::string DroppedPathFor(std::string_view argument, const PathResolver &resolve);

} // namespace filecrypter

#endif // FILECRYPTER_CLI_CLI_OPTIONS_H
