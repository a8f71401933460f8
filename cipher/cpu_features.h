//===- cipher/cpu_features.h - What the processor offers for AES -*- C++ -*-===//
#ifndef FILECRYPTER_CIPHER_CPU_FEATURES_H
#define FILECRYPTER_CIPHER_CPU_FEATURES_H

namespace filecrypter {

// The AES instruction sets this processor has and this system lets a
// program use (the system must save the registers they work on).
struct CpuAesFeatures {
  bool aesNi = false;   // AESENC and friends on 128-bit registers
  bool vaes512 = false; // the same on 512-bit registers (VAES, AVX-512F)
};

// Asks the processor; cheap enough, but the dispatch asks only once.
CpuAesFeatures DetectCpuAesFeatures() noexcept;

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_CPU_FEATURES_H
