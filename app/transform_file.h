//===- app/transform_file.h - One file through the cipher -------*- C++ -*-===//
#ifndef FILECRYPTER_APP_TRANSFORM_FILE_H
#define FILECRYPTER_APP_TRANSFORM_FILE_H

#include "app/app_state.h"
#include "app/commands.h"
#include "host/status.h"

#include <string_view>

namespace filecrypter {

// The work of one file: reads `input` whole into the state's file buffer,
// encrypts or decrypts it with the state's password into the state's result,
// and writes that atomically to `output`.  Nothing is written when the input
// cannot be read or the cipher rejects it; the reason comes back instead.
// An empty input gives an empty output.
Status TransformFile(ApplicationState &state, CommandKind kind, std::string_view input,
                     std::string_view output);

} // namespace filecrypter

#endif // FILECRYPTER_APP_TRANSFORM_FILE_H
