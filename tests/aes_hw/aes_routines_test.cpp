//===- tests/aes_hw/aes_routines_test.cpp - Every formulation, block by block -===//
//
// Each AES formulation the processor supports is held against the published
// answers and against the lookup tables, over runs of every length that
// exercises a different path through the multi-block loops.
//
//===----------------------------------------------------------------------===//

#include "cipher/aes_context.h"
#include "cipher/aes_impl.h"
#include "cipher/aes_routines.h"
#include "cipher/engine.h"
#include "tests/support/hex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace filecrypter {
namespace {

using testing::FromHex;
using testing::ToHex;
using Bytes = std::vector<std::uint8_t>;

constexpr std::int32_t kKeyLengths[] = {16, 24, 32};

// Block counts around the widths of the multi-block loops (8 blocks for
// AES-NI, 4 per vector and 32 per group for VAES), and a long run.
constexpr std::size_t kBlockCounts[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                                        15, 16, 17, 31, 32, 33, 35, 36, 63, 64, 65, 67, 1000, 1027};

// An engine holding the schedules of `key`; the test reads them through
// ContextAs.
struct KeyedEngine {
  explicit KeyedEngine(const Bytes &key) { engine.AesSetKey(key, static_cast<std::int32_t>(key.size())); }
  const AesContext &context() const { return *engine.ContextAs<AesContext>(); }
  std::uint32_t rounds() const { return engine.aes_rounds(); }
  CipherEngine engine;
};

Bytes RandomBytes(std::mt19937 &random, std::size_t size) {
  Bytes bytes(size);
  for (std::uint8_t &b : bytes)
    b = static_cast<std::uint8_t>(random());
  return bytes;
}

Bytes RunOf(AesBlocksRoutine routine, const KeyedEngine &keyed, const Bytes &in) {
  Bytes out(in.size());
  routine(keyed.context(), keyed.rounds(), in.data(), out.data(), in.size() / 16);
  return out;
}

// The standard's Appendix C, two blocks at a time with both blocks the same,
// so a formulation that mixes up lanes or blocks shows.
TEST(AesRoutinesTest, EveryFormulationGivesThePublishedAnswers) {
  struct Case {
    const char *key, *ciphertext;
  };
  const Case cases[] = {
      {"000102030405060708090a0b0c0d0e0f", "69c4e0d86a7b0430d8cdb78070b4c55a"},
      {"000102030405060708090a0b0c0d0e0f1011121314151617", "dda97ca4864cdfe06eaf70a0ec0d7191"},
      {"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f", "8ea2b7ca516745bfeafc49904b496089"},
  };
  const std::string plain = "00112233445566778899aabbccddeeff";
  for (const AesImplementation &impl : AesSupportedImplementations()) {
    for (const Case &c : cases) {
      SCOPED_TRACE(std::string(impl.name) + " key " + c.key);
      const KeyedEngine keyed(FromHex(c.key));
      const std::string cipher = std::string(c.ciphertext) + c.ciphertext;
      EXPECT_EQ(ToHex(RunOf(impl.encrypt, keyed, FromHex(plain + plain))), cipher);
      EXPECT_EQ(ToHex(RunOf(impl.decrypt, keyed, FromHex(cipher))), plain + plain);
    }
  }
}

TEST(AesRoutinesTest, EveryFormulationMatchesTheTablesOnRandomRuns) {
  std::mt19937 random(7);
  for (const AesImplementation &impl : AesSupportedImplementations()) {
    for (std::int32_t keyLength : kKeyLengths) {
      const KeyedEngine keyed(RandomBytes(random, static_cast<std::size_t>(keyLength)));
      for (std::size_t blocks : kBlockCounts) {
        SCOPED_TRACE(std::string(impl.name) + " key length " + std::to_string(keyLength) + ", " +
                     std::to_string(blocks) + " blocks");
        const Bytes in = RandomBytes(random, 16 * blocks);
        const Bytes encrypted = RunOf(impl.encrypt, keyed, in);
        ASSERT_EQ(encrypted, RunOf(AesEncryptBlocksTable, keyed, in));
        // Decryption of arbitrary blocks, not only of its own output.
        ASSERT_EQ(RunOf(impl.decrypt, keyed, in), RunOf(AesDecryptBlocksTable, keyed, in));
        ASSERT_EQ(RunOf(impl.decrypt, keyed, encrypted), in);
      }
    }
  }
}

TEST(AesRoutinesTest, EveryFormulationWorksInPlace) {
  std::mt19937 random(11);
  for (const AesImplementation &impl : AesSupportedImplementations()) {
    for (std::int32_t keyLength : kKeyLengths) {
      const KeyedEngine keyed(RandomBytes(random, static_cast<std::size_t>(keyLength)));
      for (std::size_t blocks : kBlockCounts) {
        SCOPED_TRACE(std::string(impl.name) + " key length " + std::to_string(keyLength) + ", " +
                     std::to_string(blocks) + " blocks");
        const Bytes in = RandomBytes(random, 16 * blocks);
        Bytes buffer = in;
        impl.encrypt(keyed.context(), keyed.rounds(), buffer.data(), buffer.data(), blocks);
        ASSERT_EQ(buffer, RunOf(AesEncryptBlocksTable, keyed, in));
        impl.decrypt(keyed.context(), keyed.rounds(), buffer.data(), buffer.data(), blocks);
        ASSERT_EQ(buffer, in);
      }
    }
  }
}

// Two pages whose second one may not be touched at all: a run that ends at
// the boundary faults if a routine reads or writes past its last block.
class GuardedPages {
public:
  GuardedPages() : pageSize_(static_cast<std::size_t>(sysconf(_SC_PAGESIZE))) {
    void *p = mmap(nullptr, 2 * pageSize_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
      throw std::runtime_error("mmap failed");
    base_ = static_cast<std::uint8_t *>(p);
    mprotect(base_ + pageSize_, pageSize_, PROT_NONE);
  }
  ~GuardedPages() { munmap(base_, 2 * pageSize_); }
  GuardedPages(const GuardedPages &) = delete;
  GuardedPages &operator=(const GuardedPages &) = delete;

  // Room for `bytes` bytes that end where the guard page begins.
  std::uint8_t *EndingAtGuard(std::size_t bytes) const { return base_ + pageSize_ - bytes; }

private:
  std::size_t pageSize_;
  std::uint8_t *base_ = nullptr;
};

TEST(AesRoutinesTest, NoFormulationTouchesBytesPastTheRun) {
  std::mt19937 random(13);
  const GuardedPages input, output;
  for (const AesImplementation &impl : AesSupportedImplementations()) {
    const KeyedEngine keyed(RandomBytes(random, 16));
    for (std::size_t blocks = 1; blocks <= 40; ++blocks) {
      SCOPED_TRACE(std::string(impl.name) + ", " + std::to_string(blocks) + " blocks");
      const Bytes in = RandomBytes(random, 16 * blocks);
      std::uint8_t *src = input.EndingAtGuard(in.size());
      std::uint8_t *dst = output.EndingAtGuard(in.size());
      // The bytes before the run must keep their value too.
      std::fill(dst - 16, dst, std::uint8_t{0xA5});
      std::copy(in.begin(), in.end(), src);
      impl.encrypt(keyed.context(), keyed.rounds(), src, dst, blocks);
      EXPECT_EQ(Bytes(dst, dst + in.size()), RunOf(AesEncryptBlocksTable, keyed, in));
      impl.decrypt(keyed.context(), keyed.rounds(), dst, dst, blocks);
      EXPECT_EQ(Bytes(dst, dst + in.size()), in);
      EXPECT_EQ(Bytes(dst - 16, dst), Bytes(16, 0xA5));
    }
  }
}

} // namespace
} // namespace filecrypter
