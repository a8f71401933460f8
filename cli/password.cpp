//===- cli/password.cpp ---------------------------------------------------===//

#include "cli/password.h"

#include "app/default_password.h"
#include "cipher/secure_wipe.h"
#include "host/terminal.h"
#include "host/text_encoding.h"

namespace filecrypter {
namespace {

// A password file is a small text file; anything larger is a mistake.
constexpr std::uint64_t kMaxPasswordFile = 64 * 1024;

std::string LineErrorText(LineError error) {
  switch (error) {
  case LineError::kEndOfInput:
    return "no password given: the input ended";
  case LineError::kCancelled:
    return "cancelled";
  case LineError::kTooLong:
    return "the password is too long";
  case LineError::kReadFailed:
    return "the password could not be read";
  }
  return "the password could not be read";
}

constexpr std::string_view kEmptyHint =
    "the password is empty (use --password '' to encrypt with an empty password)";

PasswordResult FromTerminal(CommandKind kind) {
  SecretLine first = ReadHiddenLine("Password: ");
  PasswordResult result;
  if (first.error) {
    result.error = LineErrorText(*first.error);
  } else if (first.text.empty()) {
    result.error = kEmptyHint;
  } else if (kind == CommandKind::kEncrypt) {
    SecretLine again = ReadHiddenLine("Repeat password: ");
    if (again.error)
      result.error = LineErrorText(*again.error);
    else if (again.text != first.text)
      result.error = "the passwords do not match";
    WipeText(again.text);
  }
  if (result.error.empty())
    result.bytes = TextToBytes(first.text);
  WipeText(first.text);
  return result;
}

PasswordResult FromStandardInput() {
  SecretLine line = ReadInputLine();
  PasswordResult result;
  if (line.error)
    result.error = LineErrorText(*line.error);
  else if (line.text.empty())
    result.error = kEmptyHint;
  else
    result.bytes = TextToBytes(line.text);
  WipeText(line.text);
  return result;
}

PasswordResult FromFile(std::string_view path, FileSystem &fileSystem) {
  PasswordResult result;
  ByteString content;
  if (Status read = fileSystem.ReadWholeFile(path, kMaxPasswordFile, content); !read)
    result.error = "cannot read the password file " + std::string(path) + ": " + read.reason();
  else
    result.bytes = TextToBytes(FirstLine(content.view()));
  return result;
}

} // namespace

std::string_view FirstLine(std::string_view content) noexcept {
  if (content.starts_with("\xEF\xBB\xBF"))
    content.remove_prefix(3);
  content = content.substr(0, content.find('\n'));
  if (content.ends_with('\r'))
    content.remove_suffix(1);
  return content;
}

void WipeText(std::string &text) noexcept {
  text.resize(text.capacity());
  SecureWipe({reinterpret_cast<std::uint8_t *>(text.data()), text.size()});
  text.clear();
}

PasswordResult ObtainPassword(const CliOptions &options, FileSystem &fileSystem) {
  switch (options.passwordSource) {
  case PasswordSource::kText:
    return {TextToBytes(options.passwordArgument), {}};
  case PasswordSource::kDefault:
    return {TextToBytes(kDefaultPassword), {}};
  case PasswordSource::kFile:
    return FromFile(options.passwordArgument, fileSystem);
  case PasswordSource::kPrompt:
    break;
  }
  return IsTerminal(StandardStream::kInput) ? FromTerminal(options.kind) : FromStandardInput();
}

} // namespace filecrypter
