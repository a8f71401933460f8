//===- fuzz/cli_arguments_fuzz.cpp - filecrypter-cli's command line --------===//
//
// Input: the arguments, separated by zero bytes as in a process's memory.
//
//===----------------------------------------------------------------------===//

#include "cli/cli_options.h"
#include "fuzz/fuzz_input.h"

#include <vector>

using namespace filecrypter;
using namespace filecrypter::fuzz;

namespace {

bool Within(std::string_view part, std::string_view whole) {
  return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
}

bool WithinAny(std::string_view part, const std::vector<std::string_view> &arguments) {
  for (std::string_view argument : arguments)
    if (Within(part, argument))
      return true;
  return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::string_view all = AsText({data, size});
  std::vector<std::string_view> arguments;
  for (std::size_t from = 0; from < all.size();) {
    const std::size_t end = std::min(all.find('\0', from), all.size());
    arguments.push_back(all.substr(from, end - from));
    from = end + 1;
  }

  const ParsedCommandLine parsed = ParseCommandLine(arguments);
  if (parsed.action == ParsedCommandLine::Action::kUsageError)
    Check(!parsed.error.empty());
  if (parsed.action != ParsedCommandLine::Action::kRun)
    return 0;

  const CliOptions &options = parsed.options;
  Check(!options.paths.empty());
  if (options.secretArgument) {
    // The argument the program will wipe is the password's text, nothing else.
    Check(*options.secretArgument < arguments.size());
    Check(options.passwordSource == PasswordSource::kText);
    Check(Within(options.passwordArgument, arguments[*options.secretArgument]));
  }
  if (options.passwordSource == PasswordSource::kText ||
      options.passwordSource == PasswordSource::kFile)
    Check(options.passwordArgument.empty() || WithinAny(options.passwordArgument, arguments));
  const PathResolver resolve = [](std::string_view) { return std::optional<std::string>("/r"); };
  for (std::string_view path : options.paths) {
    Check(!path.empty() && WithinAny(path, arguments));
    const std::string dropped = DroppedPathFor(path, resolve);
    // A dropped item always names its folder and its own name.
    Check(!dropped.empty() && dropped.find('/') != std::string::npos);
  }
  return 0;
}
