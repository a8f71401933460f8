//===- cli/password.h - Where the command-line tool gets its password -*- C++ -*-===//
#ifndef FILECRYPTER_CLI_PASSWORD_H
#define FILECRYPTER_CLI_PASSWORD_H

#include "cipher/byte_string.h"
#include "cli/cli_options.h"
#include "host/file_system.h"

#include <string>
#include <string_view>

namespace filecrypter {

struct PasswordResult {
  ByteString bytes;  // the key material, as TextToBytes gives it
  std::string error; // why there is none; empty on success
};

// The password the options ask for, read from the argument, a file, the
// terminal or standard input.  Every copy of its text is wiped.
PasswordResult ObtainPassword(const CliOptions &options, FileSystem &fileSystem);

// The first line of a password file's content: without a UTF-8 byte-order
// mark and without its "\n" or "\r\n".
std::string_view FirstLine(std::string_view content) noexcept;

// Overwrites all of `text`'s memory with zeros and empties it.
void WipeText(std::string &text) noexcept;

} // namespace filecrypter

#endif // FILECRYPTER_CLI_PASSWORD_H
