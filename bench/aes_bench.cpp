//===- bench/aes_bench.cpp - AES throughput against OpenSSL ----------------===//
//
// AesEncrypt and AesDecrypt on a 64 MiB buffer, and OpenSSL's EVP
// AES-128-ECB without padding on the same buffer in the same run, as the
// reference.  The engine's numbers are those of whole calls: key setup, the
// fresh result and its release included, as the application pays them.
// OpenSSL writes into an output buffer allocated once; a second OpenSSL
// run writes into a fresh result each time, like the engine.  Each formulation's
// block routine is measured on its own as well, the tables among them.
//
// After the run a summary prints each engine/OpenSSL ratio from the median
// of the repetitions (--benchmark_repetitions=N), or from the single run.
// FILECRYPTER_AES_IMPL=table makes the engine use the tables.
//
//===----------------------------------------------------------------------===//

#include "cipher/aes_context.h"
#include "cipher/aes_impl.h"
#include "cipher/engine.h"

#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace filecrypter {
namespace {

constexpr std::size_t kBufferSize = std::size_t{64} << 20;
const std::uint8_t kKey[16] = {'b', 'e', 'n', 'c', 'h', 'm', 'a', 'r', 'k', ' ', 'p', 'a', 's', 's', '!', '!'};

const std::vector<std::uint8_t> &Plaintext() {
  static const std::vector<std::uint8_t> data = [] {
    std::vector<std::uint8_t> bytes(kBufferSize);
    std::mt19937_64 random(1);
    for (std::size_t i = 0; i < bytes.size(); i += 8) {
      const std::uint64_t r = random();
      std::copy_n(reinterpret_cast<const std::uint8_t *>(&r), 8, bytes.data() + i);
    }
    return bytes;
  }();
  return data;
}

const ByteString &Container() {
  static const ByteString container = CipherEngine().AesEncrypt(Plaintext(), kKey, 128);
  return container;
}

void SetThroughput(benchmark::State &state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBufferSize));
}

void BM_AesEncrypt(benchmark::State &state) {
  state.SetLabel(std::string(AesImplementationName()));
  CipherEngine engine;
  for (auto _ : state)
    benchmark::DoNotOptimize(engine.AesEncrypt(Plaintext(), kKey, 128));
  SetThroughput(state);
}

void BM_AesDecrypt(benchmark::State &state) {
  state.SetLabel(std::string(AesImplementationName()));
  CipherEngine engine;
  for (auto _ : state)
    benchmark::DoNotOptimize(engine.AesDecrypt(Container(), kKey, 128));
  SetThroughput(state);
}

using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

// One EVP AES-128-ECB pass over `in` into `out`, key setup included, as
// the engine's calls include theirs.
void OpenSslEcb(EVP_CIPHER_CTX *ctx, bool encrypt, const std::uint8_t *in, std::uint8_t *out, std::size_t size) {
  int written = 0, finalWritten = 0;
  if (EVP_CipherInit_ex(ctx, EVP_aes_128_ecb(), nullptr, kKey, nullptr, encrypt ? 1 : 0) != 1 ||
      EVP_CIPHER_CTX_set_padding(ctx, 0) != 1 ||
      EVP_CipherUpdate(ctx, out, &written, in, static_cast<int>(size)) != 1 ||
      EVP_CipherFinal_ex(ctx, out + written, &finalWritten) != 1)
    throw std::runtime_error("OpenSSL AES-128-ECB failed");
}

void BM_OpenSslEcb(benchmark::State &state, bool encrypt) {
  const std::uint8_t *in = encrypt ? Plaintext().data() : Container().data() + 8;
  std::vector<std::uint8_t> out(kBufferSize);
  CipherContext ctx(EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
  for (auto _ : state) {
    OpenSslEcb(ctx.get(), encrypt, in, out.data(), kBufferSize);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  SetThroughput(state);
}

// OpenSSL writing into a fresh result from the engine's heap, released (and
// wiped) each time, as the engine's results are: the same memory work around
// a different cipher.
void BM_OpenSslEcbFreshResult(benchmark::State &state) {
  CipherContext ctx(EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
  for (auto _ : state) {
    std::optional<ByteString> out = ByteString::Allocate(ProcessHeap(), kBufferSize);
    if (!out)
      throw std::bad_alloc();
    OpenSslEcb(ctx.get(), true, Plaintext().data(), out->data(), kBufferSize);
    benchmark::DoNotOptimize(out->data());
    benchmark::ClobberMemory();
  }
  SetThroughput(state);
}

// A formulation's block routine alone, into an output buffer allocated once.
void BM_Routine(benchmark::State &state, const AesImplementation &impl) {
  CipherEngine keyed;
  keyed.AesSetKey(kKey, 16);
  const AesContext &context = *keyed.ContextAs<AesContext>();
  std::vector<std::uint8_t> out(kBufferSize);
  for (auto _ : state) {
    impl.encrypt(context, keyed.aes_rounds(), Plaintext().data(), out.data(), kBufferSize / 16);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  SetThroughput(state);
}

// Keeps the throughput of every benchmark (the median when repeated) for
// the summary.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
      const auto rate = run.counters.find("bytes_per_second");
      if (run.error_occurred || rate == run.counters.end())
        continue;
      Throughputs &t = throughputs_[run.run_name.function_name];
      if (run.run_type == Run::RT_Iteration)
        t.repetitions.push_back(rate->second.value);
      else if (run.aggregate_name == "median")
        t.median = rate->second.value;
    }
  }

  void PrintRatio(const char *what, const std::string &ours, const std::string &reference) const {
    const double a = Median(ours), b = Median(reference);
    if (a > 0 && b > 0)
      std::printf("%-40s %6.2f GiB/s / %6.2f GiB/s = %.2fx\n", what, a / kGiB, b / kGiB, a / b);
  }

private:
  static constexpr double kGiB = 1024.0 * 1024.0 * 1024.0;

  struct Throughputs {
    std::vector<double> repetitions;
    double median = 0;
  };

  double Median(const std::string &name) const {
    const auto it = throughputs_.find(name);
    if (it == throughputs_.end())
      return 0;
    if (it->second.median > 0)
      return it->second.median;
    std::vector<double> values = it->second.repetitions;
    if (values.empty())
      return 0;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
    return values[values.size() / 2];
  }

  std::map<std::string, Throughputs> throughputs_;
};

} // namespace
} // namespace filecrypter

int main(int argc, char **argv) {
  using namespace filecrypter;
  auto configure = [](benchmark::internal::Benchmark *b) { b->UseRealTime()->Unit(benchmark::kMillisecond); };
  configure(benchmark::RegisterBenchmark("AesEncrypt", BM_AesEncrypt));
  configure(benchmark::RegisterBenchmark("OpenSslEcbEncrypt", BM_OpenSslEcb, true));
  configure(benchmark::RegisterBenchmark("OpenSslEcbEncryptFreshResult", BM_OpenSslEcbFreshResult));
  configure(benchmark::RegisterBenchmark("AesDecrypt", BM_AesDecrypt));
  configure(benchmark::RegisterBenchmark("OpenSslEcbDecrypt", BM_OpenSslEcb, false));
  for (const AesImplementation &impl : AesSupportedImplementations())
    configure(benchmark::RegisterBenchmark(("Routine/" + std::string(impl.name)).c_str(), BM_Routine, impl));

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  Container(); // made before any timing starts, with the plaintext
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\nEngine (%s) against OpenSSL EVP AES-128-ECB, 64 MiB:\n", std::string(AesImplementationName()).c_str());
  reporter.PrintRatio("AesEncrypt / OpenSSL encrypt", "AesEncrypt", "OpenSslEcbEncrypt");
  reporter.PrintRatio("AesDecrypt / OpenSSL decrypt", "AesDecrypt", "OpenSslEcbDecrypt");
  reporter.PrintRatio("AesEncrypt / OpenSSL, fresh result", "AesEncrypt", "OpenSslEcbEncryptFreshResult");
  for (const AesImplementation &impl : AesSupportedImplementations()) {
    const std::string name = "Routine/" + std::string(impl.name);
    reporter.PrintRatio((name + " / OpenSSL encrypt").c_str(), name, "OpenSslEcbEncrypt");
  }
  return 0;
}
