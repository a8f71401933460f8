//===- cipher/aes_dispatch.cpp - The AES block routines in use ------------===//

#include "cipher/aes_block.h"
#include "cipher/aes_impl.h"
#include "cipher/aes_routines.h"

#if FC_AES_HARDWARE
#include "cipher/cpu_features.h"
#endif

#include <array>
#include <cstdlib>

namespace filecrypter {
namespace {

struct Supported {
  std::array<AesImplementation, 3> list;
  std::size_t count = 0;

  void Add(const AesImplementation &impl) { list[count++] = impl; }
};

Supported DetectSupported() {
  Supported found;
  found.Add({"table", AesEncryptBlocksTable, AesDecryptBlocksTable});
#if FC_AES_HARDWARE
  const CpuAesFeatures cpu = DetectCpuAesFeatures();
  if (cpu.aesNi)
    found.Add({"aesni", AesEncryptBlocksAesNi, AesDecryptBlocksAesNi});
  if (cpu.vaes512)
    found.Add({"vaes512", AesEncryptBlocksVaes512, AesDecryptBlocksVaes512});
#endif
  return found;
}

const AesImplementation &Choose(std::span<const AesImplementation> supported) {
  if (const char *wanted = std::getenv(kAesImplEnvironmentVariable)) {
    for (const AesImplementation &impl : supported)
      if (impl.name == wanted)
        return impl;
  }
  return supported.back();
}

} // namespace

std::span<const AesImplementation> AesSupportedImplementations() noexcept {
  static const Supported supported = DetectSupported();
  return {supported.list.data(), supported.count};
}

const AesImplementation &AesActiveImplementation() noexcept {
  static const AesImplementation &active = Choose(AesSupportedImplementations());
  return active;
}

void AesEncryptBlocks(const AesContext &context, std::uint32_t rounds, const std::uint8_t *in,
                      std::uint8_t *out, std::size_t blocks) noexcept {
  AesActiveImplementation().encrypt(context, rounds, in, out, blocks);
}

void AesDecryptBlocks(const AesContext &context, std::uint32_t rounds, const std::uint8_t *in,
                      std::uint8_t *out, std::size_t blocks) noexcept {
  AesActiveImplementation().decrypt(context, rounds, in, out, blocks);
}

} // namespace filecrypter
