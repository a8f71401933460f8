//===- cipher/cpu_features.cpp - CPUID and XGETBV for the AES paths -------===//
//
// Read straight from CPUID rather than through the compilers' feature
// builtins, which do not all know VAES.

#include "cipher/cpu_features.h"

#include <cpuid.h>
#include <cstdint>

namespace filecrypter {
namespace {

// CPUID leaf 1, ECX.
constexpr unsigned kAesBit = 1u << 25;
constexpr unsigned kOsXsaveBit = 1u << 27;
// CPUID leaf 7, sub-leaf 0.
constexpr unsigned kAvx512fBit = 1u << 16; // EBX
constexpr unsigned kVaesBit = 1u << 9;     // ECX
// XCR0: SSE, AVX, opmask, upper halves of ZMM0-15, ZMM16-31.
constexpr std::uint64_t kZmmState = (1u << 1) | (1u << 2) | (1u << 5) | (1u << 6) | (1u << 7);

std::uint64_t ReadXcr0() {
  std::uint32_t low = 0, high = 0;
  __asm__("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
  return (std::uint64_t{high} << 32) | low;
}

} // namespace

CpuAesFeatures DetectCpuAesFeatures() noexcept {
  CpuAesFeatures features;
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0)
    return features;
  features.aesNi = (ecx & kAesBit) != 0;
  const bool osSavesState = (ecx & kOsXsaveBit) != 0;
  if (!features.aesNi || !osSavesState || __get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) == 0)
    return features;
  features.vaes512 =
      (ebx & kAvx512fBit) != 0 && (ecx & kVaesBit) != 0 && (ReadXcr0() & kZmmState) == kZmmState;
  return features;
}

} // namespace filecrypter
