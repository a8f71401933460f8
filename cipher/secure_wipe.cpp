//===- cipher/secure_wipe.cpp ---------------------------------------------===//

#include "cipher/secure_wipe.h"

#include <cstring>

namespace filecrypter {

void SecureWipe(std::span<std::uint8_t> bytes) noexcept {
  if (bytes.empty())
    return;
#if defined(__GLIBC__)
  explicit_bzero(bytes.data(), bytes.size());
#else
  // Writes through a volatile pointer count as observable behaviour.
  volatile std::uint8_t *p = bytes.data();
  for (std::size_t i = 0; i < bytes.size(); ++i)
    p[i] = 0;
#endif
}

} // namespace filecrypter
