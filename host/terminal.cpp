//===- host/terminal.cpp --------------------------------------------------===//

#include "host/terminal.h"

#include <cerrno>
#include <termios.h>
#include <unistd.h>

namespace filecrypter {
namespace {

int DescriptorOf(StandardStream stream) noexcept {
  switch (stream) {
  case StandardStream::kInput:
    return STDIN_FILENO;
  case StandardStream::kOutput:
    return STDOUT_FILENO;
  case StandardStream::kError:
    return STDERR_FILENO;
  }
  return -1;
}

// Puts the terminal into character-at-a-time mode without echo and without
// signals (so Ctrl-C arrives as a byte and the settings can still be
// restored), and restores the old settings on destruction.
class RawTerminal {
public:
  RawTerminal() noexcept {
    active_ = ::tcgetattr(STDIN_FILENO, &saved_) == 0;
    if (!active_)
      return;
    termios raw = saved_;
    raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | ISIG);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    active_ = ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &raw) == 0;
  }
  RawTerminal(const RawTerminal &) = delete;
  RawTerminal &operator=(const RawTerminal &) = delete;
  ~RawTerminal() {
    if (active_)
      ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
  }

  bool active() const noexcept { return active_; }
  unsigned char erase() const noexcept { return saved_.c_cc[VERASE]; }

private:
  termios saved_{};
  bool active_ = false;
};

// One byte of standard input: 1 when read, 0 at the end, -1 on error.
int ReadByte(char &byte) noexcept {
  for (;;) {
    const ssize_t got = ::read(STDIN_FILENO, &byte, 1);
    if (got >= 0 || errno != EINTR)
      return static_cast<int>(got);
  }
}

} // namespace

bool IsTerminal(StandardStream stream) noexcept { return ::isatty(DescriptorOf(stream)) == 1; }

void WriteError(std::string_view text) noexcept {
  while (!text.empty()) {
    const ssize_t written = ::write(STDERR_FILENO, text.data(), text.size());
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      return;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
}

SecretLine ReadHiddenLine(std::string_view prompt) {
  SecretLine line;
  line.text.reserve(kMaxSecretLine);
  WriteError(prompt);
  RawTerminal terminal;
  if (!terminal.active()) {
    line.error = LineError::kReadFailed;
    return line;
  }
  for (;;) {
    char byte;
    const int got = ReadByte(byte);
    if (got <= 0) {
      line.error = got == 0 ? LineError::kEndOfInput : LineError::kReadFailed;
      break;
    }
    const auto code = static_cast<unsigned char>(byte);
    if (code == '\r' || code == '\n')
      break;
    if (code == 0x03) { // Ctrl-C
      line.error = LineError::kCancelled;
      break;
    }
    if (code == 0x04) { // Ctrl-D
      if (line.text.empty()) {
        line.error = LineError::kEndOfInput;
        break;
      }
      continue;
    }
    if (code == 0x15) { // Ctrl-U
      line.text.clear();
      continue;
    }
    if (code == terminal.erase() || code == 0x7F || code == 0x08) {
      // Remove one whole UTF-8 character.
      while (!line.text.empty() &&
             (static_cast<unsigned char>(line.text.back()) & 0xC0) == 0x80)
        line.text.pop_back();
      if (!line.text.empty())
        line.text.pop_back();
      continue;
    }
    if (line.text.size() == kMaxSecretLine) {
      line.error = LineError::kTooLong;
      break;
    }
    line.text.push_back(byte);
  }
  WriteError("\n");
  return line;
}

SecretLine ReadInputLine() {
  SecretLine line;
  line.text.reserve(kMaxSecretLine);
  bool sawAny = false;
  for (;;) {
    char byte;
    const int got = ReadByte(byte);
    if (got < 0) {
      line.error = LineError::kReadFailed;
      return line;
    }
    if (got == 0) {
      if (!sawAny)
        line.error = LineError::kEndOfInput;
      break;
    }
    sawAny = true;
    if (byte == '\n')
      break;
    if (line.text.size() == kMaxSecretLine) {
      line.error = LineError::kTooLong;
      return line;
    }
    line.text.push_back(byte);
  }
  if (!line.text.empty() && line.text.back() == '\r')
    line.text.pop_back();
  return line;
}

} // namespace filecrypter
