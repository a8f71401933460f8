//===- cli/cli_options.cpp ------------------------------------------------===//

#include "cli/cli_options.h"

namespace filecrypter {
namespace {

constexpr std::string_view kUsage =
    R"usage(Usage: filecrypter-cli encrypt|decrypt [--folder]
                       [--password TEXT | --password-file FILE | --default-password]
                       PATH...

Encrypts or decrypts each PATH with AES-128 under a password and writes the
result beside it; PATH itself is never changed.

  encrypt    report.txt becomes 加密【report】.txt
  decrypt    加密【report】.txt becomes 解密【加密【report】】.txt
             (the original name is yours to restore)

Options:
  -f, --folder              treat each PATH as a folder: every file below it
                            is written, flattened, into one new folder beside
                            it, 加密【NAME】 or 解密【NAME】.  Files whose names
                            meet get " (2)", " (3)", ... before the extension.
                            Sub-folders whose names start with '.' and links
                            to folders are skipped.
  -p, --password TEXT       the password (visible to other users of this
                            machine while the program runs; prefer a prompt
                            or --password-file)
      --password-file FILE  the password is the first line of FILE
      --default-password    the sentence the window's password box starts
                            with, which the window uses when none is typed
  -h, --help                show this help

Without a password option the password is asked for on the terminal (twice
when encrypting), or read as the first line of standard input when that is
not a terminal.  Only the first 16 bytes of the password, in GBK, form the
key, so the same password opens the files of the window and of this tool.

Existing outputs are replaced.  Outputs are written whole or not at all.

Exit status: 0 when every file succeeded, 1 when any file failed (each
failure is printed on standard error with its reason), 2 on a usage error.
)usage";

} // namespace

std::string_view UsageText() noexcept { return kUsage; }

ParsedCommandLine ParseCommandLine(std::span<const std::string_view> arguments) {
  ParsedCommandLine parsed;
  CliOptions &options = parsed.options;
  bool haveCommand = false;
  bool havePasswordOption = false;
  bool optionsEnded = false;

  auto usageError = [&](std::string message) {
    parsed.action = ParsedCommandLine::Action::kUsageError;
    parsed.error = std::move(message);
    return parsed;
  };
  auto choosePassword = [&](PasswordSource source) {
    if (havePasswordOption)
      return false;
    havePasswordOption = true;
    options.passwordSource = source;
    return true;
  };

  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    const bool isOption = !optionsEnded && argument.size() > 1 && argument.front() == '-';
    if (!isOption) {
      if (!haveCommand) {
        if (argument != "encrypt" && argument != "decrypt")
          return usageError("unknown command '" + std::string(argument) +
                            "' (expected encrypt or decrypt)");
        options.kind = argument == "encrypt" ? CommandKind::kEncrypt : CommandKind::kDecrypt;
        haveCommand = true;
      } else {
        options.paths.push_back(argument);
      }
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "-h" || argument == "--help") {
      parsed.action = ParsedCommandLine::Action::kHelp;
      return parsed;
    } else if (argument == "-f" || argument == "--folder") {
      options.folderMode = true;
    } else if (argument == "--default-password") {
      if (!choosePassword(PasswordSource::kDefault))
        return usageError("give only one password option");
    } else if (argument == "-p" || argument == "--password" || argument == "--password-file" ||
               argument.starts_with("--password=") || argument.starts_with("--password-file=")) {
      const bool isFile = argument.starts_with("--password-file");
      if (!choosePassword(isFile ? PasswordSource::kFile : PasswordSource::kText))
        return usageError("give only one password option");
      std::size_t valueAt = i;
      if (const std::size_t equals = argument.find('='); equals != std::string_view::npos) {
        options.passwordArgument = argument.substr(equals + 1);
      } else if (i + 1 < arguments.size()) {
        valueAt = ++i;
        options.passwordArgument = arguments[i];
      } else {
        return usageError("option '" + std::string(argument) + "' needs a value");
      }
      if (!isFile)
        options.secretArgument = valueAt;
    } else {
      return usageError("unknown option '" + std::string(argument) + "'");
    }
  }
  if (!haveCommand)
    return usageError("no command given (expected encrypt or decrypt)");
  if (options.paths.empty())
    return usageError("no PATH given");
  for (std::string_view path : options.paths)
    if (path.empty())
      return usageError("an empty PATH was given");
  parsed.action = ParsedCommandLine::Action::kRun;
  return parsed;
}

std::string DroppedPathFor(std::string_view argument, const PathResolver &resolve) {
  while (argument.size() > 1 && argument.back() == '/')
    argument.remove_suffix(1);
  const std::string_view last = argument.substr(argument.rfind('/') + 1);
  if (last == "." || last == "..") {
    if (std::optional<std::string> resolved = resolve(argument))
      return *resolved;
  }
  if (argument.find('/') == std::string_view::npos)
    return "./" + std::string(argument);
  return std::string(argument);
}

} // namespace filecrypter
