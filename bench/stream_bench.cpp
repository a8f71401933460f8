//===- bench/stream_bench.cpp - Byte-stream throughput against Crypto++ ---===//
//
// Times the four CFB-8 operations on 16 MiB and, in the same run, Crypto++'s
// CFB mode with a one-byte feedback size over the same cipher and data, then
// prints our speed as a multiple of Crypto++'s.  Both sides include their key
// setup, which is negligible next to one block encryption per byte.
//
// Keys: our operations key both ciphers with the 20-byte SHA-1 digest of the
// caller's key.  Crypto++ gets that digest for Blowfish; its RC6 takes only
// 16-, 24- or 32-byte keys, so it gets the digest's first 16 bytes (the
// per-byte work does not depend on the key length).  Before timing, both
// sides are checked to produce the same bytes: our stream loop against
// Crypto++ under one raw 16-byte key for each cipher, and our whole Blowfish
// operations against Crypto++ under the digest.
//
//===----------------------------------------------------------------------===//

#include "cipher/engine.h"
#include "cipher/stream/cfb8_ciphers.h"

#include <benchmark/benchmark.h>
#include <cryptopp/blowfish.h>
#include <cryptopp/modes.h>
#include <cryptopp/rc6.h>
#include <cryptopp/sha.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace filecrypter {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kStreamSize = 16u << 20;
constexpr std::size_t kCheckSize = 64u << 10;

Bytes MakeData(std::size_t length) {
  Bytes bytes(length);
  std::uint32_t seed = 0x2545F491;
  for (auto &b : bytes) {
    seed ^= seed << 13;
    seed ^= seed >> 17;
    seed ^= seed << 5;
    b = static_cast<std::uint8_t>(seed);
  }
  return bytes;
}

const Bytes kKey = {'b', 'e', 'n', 'c', 'h', ' ', 'p', 'a', 's', 's', 'w', 'o', 'r', 'd'};

Bytes Digest(const Bytes &key) {
  Bytes digest(CryptoPP::SHA1::DIGESTSIZE);
  CryptoPP::SHA1().CalculateDigest(digest.data(), key.data(), key.size());
  return digest;
}

// Crypto++'s CFB-8 under `key`, its register starting at E(0).
template <class Cipher>
Bytes CryptoppCfb8(const Bytes &key, const Bytes &data, Cfb8Direction direction) {
  std::uint8_t iv[Cipher::BLOCKSIZE] = {};
  typename Cipher::Encryption(key.data(), key.size()).ProcessBlock(iv);
  Bytes out(data.size());
  if (direction == Cfb8Direction::kEncrypt) {
    typename CryptoPP::CFB_Mode<Cipher>::Encryption cfb(key.data(), key.size(), iv, 1);
    cfb.ProcessData(out.data(), data.data(), data.size());
  } else {
    typename CryptoPP::CFB_Mode<Cipher>::Decryption cfb(key.data(), key.size(), iv, 1);
    cfb.ProcessData(out.data(), data.data(), data.size());
  }
  return out;
}

// Our stream loop under a raw key, bypassing the engine's digest.
template <Cfb8Cipher Cipher>
Bytes OurCfb8(const Cipher &cipher, const Bytes &data, Cfb8Direction direction) {
  Bytes out(data.size());
  Cfb8Stream(cipher, direction, cipher.Encrypt(typename Cipher::Block{}), data, out);
  return out;
}

bool RawKeyStreamsMatch() {
  Bytes key = Digest(kKey);
  key.resize(16);
  const Bytes data = MakeData(kCheckSize);
  Rc6Schedule rc6{};
  Rc6ExpandKey(key, rc6);
  auto blowfish = std::make_unique<BlowfishContext>();
  BlowfishExpandKey(key, *blowfish);
  for (Cfb8Direction d : {Cfb8Direction::kEncrypt, Cfb8Direction::kDecrypt}) {
    if (OurCfb8(Rc6Cfb8{&rc6}, data, d) != CryptoppCfb8<CryptoPP::RC6>(key, data, d) ||
        OurCfb8(BlowfishCfb8{blowfish.get()}, data, d) != CryptoppCfb8<CryptoPP::Blowfish>(key, data, d))
      return false;
  }
  return true;
}

using EngineOp = ByteString (CipherEngine::*)(ByteSpan, ByteSpan);
using ReferenceOp = Bytes (*)(const Bytes &key, const Bytes &data, Cfb8Direction);

struct Subject {
  std::string name;
  EngineOp ours;
  ReferenceOp reference;
  std::size_t referenceKeySize;
  Cfb8Direction direction;
};

std::vector<Subject> Subjects() {
  using enum Cfb8Direction;
  return {
      {"Rc6/encrypt", &CipherEngine::Rc6EncryptCfb8, &CryptoppCfb8<CryptoPP::RC6>, 16, kEncrypt},
      {"Rc6/decrypt", &CipherEngine::Rc6DecryptCfb8, &CryptoppCfb8<CryptoPP::RC6>, 16, kDecrypt},
      {"Blowfish/encrypt", &CipherEngine::BlowfishEncryptCfb8, &CryptoppCfb8<CryptoPP::Blowfish>, 20,
       kEncrypt},
      {"Blowfish/decrypt", &CipherEngine::BlowfishDecryptCfb8, &CryptoppCfb8<CryptoPP::Blowfish>, 20,
       kDecrypt},
  };
}

// The reference as a whole operation: digest, key setup, stream.
Bytes RunReference(const Subject &subject, const Bytes &data) {
  Bytes key = Digest(kKey);
  key.resize(subject.referenceKeySize);
  return subject.reference(key, data, subject.direction);
}

bool BlowfishOperationsMatch() {
  const Bytes data = MakeData(kCheckSize);
  for (const Subject &subject : Subjects()) {
    if (subject.referenceKeySize != 20)
      continue;
    CipherEngine engine;
    const ByteString ours = (engine.*subject.ours)(data, kKey);
    if (RunReference(subject, data) != Bytes(ours.bytes().begin(), ours.bytes().end()))
      return false;
  }
  return true;
}

// Remembers each benchmark's CPU time per iteration for the ratios.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs)
      cpuTime_[run.run_name.function_name] = run.GetAdjustedCPUTime();
  }
  double CpuTime(const std::string &name) const {
    auto it = cpuTime_.find(name);
    return it == cpuTime_.end() ? 0.0 : it->second;
  }

private:
  std::map<std::string, double> cpuTime_;
};

} // namespace
} // namespace filecrypter

int main(int argc, char **argv) {
  using namespace filecrypter;
  if (!RawKeyStreamsMatch() || !BlowfishOperationsMatch()) {
    std::fprintf(stderr, "our CFB-8 output differs from Crypto++'s; not timing\n");
    return 1;
  }

  const std::vector<Subject> subjects = Subjects();
  const Bytes data = MakeData(kStreamSize);
  for (const Subject &subject : subjects) {
    benchmark::RegisterBenchmark(("Ours/" + subject.name).c_str(),
                                 [&subject, &data](benchmark::State &state) {
                                   CipherEngine engine;
                                   for (auto _ : state)
                                     benchmark::DoNotOptimize((engine.*subject.ours)(data, kKey));
                                   state.SetBytesProcessed(state.iterations() * data.size());
                                 })
        ->Unit(benchmark::kMillisecond)
        ->MinTime(2.0);
    benchmark::RegisterBenchmark(("Cryptopp/" + subject.name).c_str(),
                                 [&subject, &data](benchmark::State &state) {
                                   for (auto _ : state)
                                     benchmark::DoNotOptimize(RunReference(subject, data));
                                   state.SetBytesProcessed(state.iterations() * data.size());
                                 })
        ->Unit(benchmark::kMillisecond)
        ->MinTime(2.0);
  }

  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  std::printf("\nCFB-8 speed as a multiple of Crypto++'s (CPU time; target 1.20x):\n");
  for (const Subject &subject : subjects) {
    const double ours = reporter.CpuTime("Ours/" + subject.name);
    const double theirs = reporter.CpuTime("Cryptopp/" + subject.name);
    if (ours > 0 && theirs > 0)
      std::printf("  %-18s %.2fx\n", subject.name.c_str(), theirs / ours);
  }
  benchmark::Shutdown();
  return 0;
}
