//===- host/text_encoding.cpp ---------------------------------------------===//

#include "host/text_encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <new>

namespace filecrypter {
namespace {

// One iconv conversion, closed on destruction.  Each call of TextToBytes opens
// its own, so concurrent callers never share conversion state.
class Converter {
public:
  Converter(const char *to, const char *from) noexcept : cd_(::iconv_open(to, from)) {}
  Converter(const Converter &) = delete;
  Converter &operator=(const Converter &) = delete;
  ~Converter() {
    if (ok())
      ::iconv_close(cd_);
  }

  bool ok() const noexcept { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of [in, in + inLeft) as it can, advancing all four.
  // True when all of it was converted; otherwise errno tells why it stopped.
  bool Convert(const char *&in, std::size_t &inLeft, char *&out, std::size_t &outLeft) noexcept {
    char *source = const_cast<char *>(in); // iconv's signature; it does not write
    const std::size_t result = ::iconv(cd_, &source, &inLeft, &out, &outLeft);
    in = source;
    if (result == static_cast<std::size_t>(-1)) {
      const int error = errno;
      ::iconv(cd_, nullptr, nullptr, nullptr, nullptr); // back to the initial state
      errno = error;
      return false;
    }
    return true;
  }

private:
  iconv_t cd_;
};

// The length of the UTF-8 sequence a lead byte announces, 1 for a byte that
// cannot start one.
std::size_t Utf8SequenceLength(unsigned char lead) noexcept {
  if (lead >= 0xF0 && lead <= 0xF4)
    return 4;
  if (lead >= 0xE0)
    return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2)
    return 2;
  return 1;
}

} // namespace

ByteString TextToBytes(std::string_view text) {
  if (text.empty())
    return ByteString();
  // Every UTF-8 sequence becomes at most as many bytes again in GBK or
  // GB18030, so one allocation of twice the length always suffices, and no
  // partial copy of the password is left behind by a reallocation.
  std::optional<ByteString> buffer = ByteString::Allocate(ProcessHeap(), 2 * text.size());
  if (!buffer)
    throw std::bad_alloc();
  Converter gbk("GBK", "UTF-8");
  Converter gb18030("GB18030", "UTF-8");

  const char *in = text.data();
  std::size_t inLeft = text.size();
  char *const start = reinterpret_cast<char *>(buffer->data());
  char *out = start;
  std::size_t outLeft = buffer->size();
  while (inLeft > 0) {
    if (gbk.ok() && gbk.Convert(in, inLeft, out, outLeft))
      break;
    // Stopped at a character GBK lacks, or at bytes that are not UTF-8.
    std::size_t length = std::min(Utf8SequenceLength(static_cast<unsigned char>(*in)), inLeft);
    const char *character = in;
    std::size_t characterLeft = length;
    if (gb18030.ok() && gb18030.Convert(character, characterLeft, out, outLeft)) {
      in += length;
      inLeft -= length;
      continue;
    }
    *out++ = *in++;
    --outLeft;
    --inLeft;
  }
  buffer->Truncate(static_cast<std::size_t>(out - start));
  return std::move(*buffer);
}

} // namespace filecrypter
