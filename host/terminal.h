//===- host/terminal.h - The command-line tool's terminal -------*- C++ -*-===//
//
// What the command-line tool needs of its standard streams: whether they are
// terminals, a password prompt that does not echo, and a line of input read
// without the copies a stream buffer would keep.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_HOST_TERMINAL_H
#define FILECRYPTER_HOST_TERMINAL_H

#include <optional>
#include <string>
#include <string_view>

namespace filecrypter {

enum class StandardStream { kInput, kOutput, kError };

bool IsTerminal(StandardStream stream) noexcept;

// The longest line the readers below accept, in bytes.
inline constexpr std::size_t kMaxSecretLine = 4096;

// Why a secret line could not be had.
enum class LineError { kEndOfInput, kCancelled, kTooLong, kReadFailed };

struct SecretLine {
  std::string text; // without the line end; the caller wipes it
  std::optional<LineError> error;
};

// Shows `prompt` on standard error and reads one line from the terminal on
// standard input without echoing it.  Backspace and Ctrl-U edit the line,
// Ctrl-C cancels and Ctrl-D on an empty line ends the input.  The terminal's
// settings are restored before returning.
SecretLine ReadHiddenLine(std::string_view prompt);

// The first line of standard input, without its "\n" or "\r\n".  Input that
// ends without a line end counts as a line when it is not empty.
SecretLine ReadInputLine();

// Writes `text` to standard error at once.
void WriteError(std::string_view text) noexcept;

} // namespace filecrypter

#endif // FILECRYPTER_HOST_TERMINAL_H
