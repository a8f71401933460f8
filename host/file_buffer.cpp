//===- host/file_buffer.cpp -----------------------------------------------===//

#include "host/file_buffer.h"

namespace filecrypter {

Status FileBuffer::LoadFile(FileSystem &fileSystem, std::string_view path) {
  if (path.empty())
    return Status::Failure("empty path");
  return fileSystem.ReadWholeFile(path, kFileBufferCapacity, content_);
}

} // namespace filecrypter
