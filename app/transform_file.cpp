//===- app/transform_file.cpp ---------------------------------------------===//

#include "app/transform_file.h"

#include "cipher/aes_block.h"
#include "cipher/aes_container.h"

#include <algorithm>
#include <memory>
#include <string>

namespace filecrypter {

ByteString EncryptBytes(CipherEngine &cipher, ByteSpan data, ByteSpan key) {
  return cipher.AesEncrypt(data, key, 128);
}

ByteString DecryptBytes(CipherEngine &cipher, ByteSpan container, ByteSpan key) {
  return cipher.AesDecrypt(container, key, 128);
}

namespace {

// Reads from the input exactly as many bytes as it had when opened, piece
// by piece, so that a file that changes meanwhile is noticed.
class InputPieces {
public:
  explicit InputPieces(FileReader &reader) : reader_(reader), left_(reader.size()) {}

  std::uint64_t done() const noexcept { return reader_.size() - left_; }

  // Fills `piece` with the next bytes.
  Status Read(std::span<std::uint8_t> piece) {
    if (piece.size() > left_)
      return Grew();
    std::size_t got = 0;
    if (Status read = reader_.Read(piece, got); !read)
      return Status::Failure("cannot read it: " + read.reason());
    if (got < piece.size())
      return Status::Failure("it shrank while it was read");
    left_ -= got;
    return Status();
  }

  // Reads what is left, which the output does not need, and checks that
  // the file ends where it did when opened.
  Status Finish(std::span<std::uint8_t> scratch) {
    while (left_ != 0)
      if (Status read = Read(scratch.first(std::min<std::uint64_t>(scratch.size(), left_))); !read)
        return read;
    std::size_t got = 0;
    if (Status read = reader_.Read(scratch.first(1), got); !read)
      return Status::Failure("cannot read it: " + read.reason());
    return got == 0 ? Status() : Grew();
  }

private:
  static Status Grew() { return Status::Failure("it grew while it was read"); }

  FileReader &reader_;
  std::uint64_t left_;
};

// The output's writer, whose failures name the output.
class OutputPieces {
public:
  OutputPieces(FileWriter &writer, std::string_view name) : writer_(writer), name_(name) {}

  Status Write(std::span<const std::uint8_t> piece) { return Named(writer_.Write(piece)); }
  Status Commit() { return Named(writer_.Commit()); }

private:
  Status Named(Status status) const {
    if (status)
      return status;
    return Status::Failure("cannot write " + std::string(name_) + ": " + status.reason());
  }

  FileWriter &writer_;
  std::string_view name_;
};

Status Encrypt(InputPieces &in, OutputPieces &out, const AesContainerKey &key,
               std::span<std::uint8_t> buffer, std::uint64_t size, const FileProgress &progress) {
  AesContainerEncryptor sealer(key, static_cast<std::uint32_t>(size));
  // The header leaves with the first piece, in one write: it fills the end
  // of the buffer's first block, and that piece follows it.  A folder of
  // small files is written with one call per file this way.
  const auto header = sealer.Header();
  std::copy(header.begin(), header.end(), buffer.begin() + (kAesBlockSize - header.size()));
  std::size_t lead = header.size();
  std::span<std::uint8_t> area = buffer.subspan(kAesBlockSize);
  while (sealer.remaining() != 0) {
    const auto piece = area.first(std::min<std::uint64_t>(area.size(), sealer.remaining()));
    if (Status read = in.Read(piece); !read)
      return read;
    const std::size_t sealed = sealer.Encrypt(piece, area);
    if (Status written = out.Write({area.data() - lead, lead + sealed}); !written)
      return written;
    lead = 0;
    area = buffer;
    if (progress)
      progress(in.done());
  }
  return Status();
}

Status Decrypt(InputPieces &in, OutputPieces &out, AesContainerDecryptor &opener,
               std::span<std::uint8_t> buffer, const FileProgress &progress) {
  while (opener.remainingCiphertext() != 0) {
    const auto piece =
        buffer.first(std::min<std::uint64_t>(buffer.size(), opener.remainingCiphertext()));
    if (Status read = in.Read(piece); !read)
      return read;
    const std::size_t opened = opener.Decrypt(piece, buffer);
    if (Status written = out.Write(buffer.first(opened)); !written)
      return written;
    if (progress)
      progress(in.done());
  }
  return Status();
}

} // namespace

Status TransformFile(FileSystem &fileSystem, const AesContainerKey &key,
                     std::span<std::uint8_t> buffer, CommandKind kind, std::string_view input,
                     std::string_view output, const FileProgress &progress) {
  std::unique_ptr<FileReader> reader;
  if (Status opened = fileSystem.OpenForReading(input, reader); !opened)
    return Status::Failure("cannot read it: " + opened.reason());
  const std::uint64_t size = reader->size();
  InputPieces in(*reader);

  // Everything that can be known before writing is checked first.
  std::optional<AesContainerDecryptor> opener;
  if (kind == CommandKind::kEncrypt && size > kMaxContainerPlaintext)
    return Status::Failure("too large to encrypt (" + std::to_string(size) +
                           " bytes, at most " + std::to_string(kMaxContainerPlaintext) + ")");
  if (kind == CommandKind::kDecrypt && size != 0) {
    const auto header = buffer.first(std::min<std::uint64_t>(kContainerHeaderSize, size));
    if (Status read = in.Read(header); !read)
      return read;
    opener = AesContainerDecryptor::Open(key, header, size);
    // The program never seals an empty file (it stays empty), so a container
    // that claims no bytes did not come from it.
    if (!opener || opener->length() == 0)
      return Status::Failure("not a file this program encrypted, or damaged");
  }

  std::unique_ptr<FileWriter> writer;
  if (Status created = fileSystem.CreateReplacement(output, writer); !created)
    return Status::Failure("cannot write " + std::string(output) + ": " + created.reason());
  OutputPieces out(*writer, output);
  Status done;
  if (kind == CommandKind::kEncrypt && size != 0)
    done = Encrypt(in, out, key, buffer, size, progress);
  else if (opener)
    done = Decrypt(in, out, *opener, buffer, progress);
  if (done)
    done = in.Finish(buffer);
  // On failure the writer goes, and with it what it wrote.
  return done ? out.Commit() : done;
}

} // namespace filecrypter
