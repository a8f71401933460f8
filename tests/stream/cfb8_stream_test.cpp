//===- tests/stream/cfb8_stream_test.cpp - The four byte-stream operations ===//

#include "cipher/engine.h"
#include "tests/stream/stream_test_support.h"
#include "tests/support/test_heaps.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <ostream>
#include <string>

namespace filecrypter {
namespace {

using testing::BlockEncryptor;
using testing::Bytes;
using testing::ReferenceSha1;
using testing::TestHeap;
using testing::TextbookCfb8;

using StreamOp = ByteString (CipherEngine::*)(ByteSpan, ByteSpan);

struct StreamCipher {
  const char *name;
  StreamOp encrypt, decrypt;
  std::size_t blockSize;
  BlockEncryptor (*encryptorFor)(std::span<const std::uint8_t> key);
};

void PrintTo(const StreamCipher &cipher, std::ostream *os) { *os << cipher.name; }

const StreamCipher kCiphers[] = {
    {"Rc6", &CipherEngine::Rc6EncryptCfb8, &CipherEngine::Rc6DecryptCfb8, 16, testing::Rc6Encryptor},
    {"Blowfish", &CipherEngine::BlowfishEncryptCfb8, &CipherEngine::BlowfishDecryptCfb8, 8,
     testing::BlowfishEncryptor},
};

Bytes Pattern(std::size_t length, std::uint32_t seed = 1) {
  Bytes bytes(length);
  for (auto &b : bytes) {
    seed = seed * 1103515245u + 12345u;
    b = static_cast<std::uint8_t>(seed >> 16);
  }
  return bytes;
}

Bytes ToBytes(const ByteString &s) { return Bytes(s.bytes().begin(), s.bytes().end()); }

const Bytes kKey = {'c', 'o', 'r', 'r', 'e', 'c', 't', ' ', 'h', 'o', 'r', 's', 'e'};

class Cfb8StreamTest : public ::testing::TestWithParam<StreamCipher> {
protected:
  Bytes Encrypt(CipherEngine &engine, const Bytes &data, const Bytes &key = kKey) {
    return ToBytes((engine.*GetParam().encrypt)(data, key));
  }
  Bytes Decrypt(CipherEngine &engine, const Bytes &data, const Bytes &key = kKey) {
    return ToBytes((engine.*GetParam().decrypt)(data, key));
  }
  Bytes Reference(const Bytes &data, bool encrypting, const Bytes &key = kKey) {
    const BlockEncryptor encrypt = GetParam().encryptorFor(ReferenceSha1(key));
    return TextbookCfb8(encrypt, GetParam().blockSize, data, encrypting);
  }
};

// The register starts at E(0^n), so a lone byte meets the keystream byte of
// the second encryption, in either direction.
TEST_P(Cfb8StreamTest, OneByteIsTheByteXorTheFirstByteOfEOfEOfZero) {
  const BlockEncryptor encrypt = GetParam().encryptorFor(ReferenceSha1(kKey));
  const std::uint8_t k = encrypt(encrypt(Bytes(GetParam().blockSize, 0)))[0];
  CipherEngine engine;
  for (std::uint8_t x : {0x00, 0x5A, 0xFF}) {
    EXPECT_EQ(Encrypt(engine, {x}), Bytes{static_cast<std::uint8_t>(x ^ k)});
    EXPECT_EQ(Decrypt(engine, {x}), Bytes{static_cast<std::uint8_t>(x ^ k)});
  }
}

// The word-shifting register of the engine against the byte-array loop,
// across block boundaries and in both directions (decryption feeds back the
// input byte, encryption the output byte).
TEST_P(Cfb8StreamTest, MatchesTextbookCfb8InBothDirections) {
  CipherEngine engine;
  for (std::size_t length : {1, 2, 3, 7, 9, 15, 16, 17, 33, 1000}) {
    SCOPED_TRACE(length);
    const Bytes data = Pattern(length);
    EXPECT_EQ(Encrypt(engine, data), Reference(data, true));
    EXPECT_EQ(Decrypt(engine, data), Reference(data, false));
  }
}

TEST_P(Cfb8StreamTest, RoundTripsAnyLengthUnderAnyKeyAndKeepsNoContext) {
  const Bytes keys[] = {{0x01}, Pattern(20, 7), Pattern(5000, 9)};
  for (const Bytes &key : keys) {
    for (std::size_t length : {0, 1, 7, 9, 15, 17, 4099}) {
      SCOPED_TRACE(::testing::Message() << key.size() << "-byte key, length " << length);
      CipherEngine engine;
      const Bytes data = Pattern(length);
      const Bytes sealed = Encrypt(engine, data, key);
      EXPECT_FALSE(engine.HoldsContext());
      ASSERT_EQ(sealed.size(), length);
      if (length > 3) {
        EXPECT_NE(sealed, data);
      }
      EXPECT_EQ(Decrypt(engine, sealed, key), data);
      EXPECT_FALSE(engine.HoldsContext());
    }
  }
  CipherEngine engine;
  const Bytes large = Pattern((1u << 20) + 3);
  EXPECT_EQ(Decrypt(engine, Encrypt(engine, large)), large);
}

TEST_P(Cfb8StreamTest, WrongKeyDecryptsToOtherBytesOfTheSameLength) {
  CipherEngine engine;
  const Bytes data = Pattern(64);
  const Bytes opened = Decrypt(engine, Encrypt(engine, data), Bytes{'x'});
  EXPECT_EQ(opened.size(), data.size());
  EXPECT_NE(opened, data);
}

TEST_P(Cfb8StreamTest, ACommonPrefixStaysCommon) {
  CipherEngine engine;
  Bytes a = Pattern(100), b = a;
  b[37] ^= 0x01;
  b[80] ^= 0xFF;
  const Bytes sa = Encrypt(engine, a), sb = Encrypt(engine, b);
  EXPECT_TRUE(std::equal(sa.begin(), sa.begin() + 37, sb.begin()));
  EXPECT_NE(sa[37], sb[37]);
  EXPECT_EQ(sa, Encrypt(engine, a)); // deterministic
}

// Bit errors in byte i reach plaintext byte i as the same bits, garble the n
// bytes while the bad byte sits in the register, and go no further.
TEST_P(Cfb8StreamTest, AFlippedCiphertextBitGarblesExactlyTheNextBlockOfBytes) {
  const std::size_t n = GetParam().blockSize;
  CipherEngine engine;
  const Bytes data = Pattern(80);
  for (std::size_t i : {0u, 10u, 40u}) {
    SCOPED_TRACE(i);
    Bytes sealed = Encrypt(engine, data);
    sealed[i] ^= 0x04;
    const Bytes opened = Decrypt(engine, sealed);
    for (std::size_t j = 0; j < data.size(); ++j) {
      if (j < i || j > i + n) {
        EXPECT_EQ(opened[j], data[j]) << "byte " << j;
      } else if (j == i) {
        EXPECT_EQ(opened[j], data[j] ^ 0x04);
      } else {
        EXPECT_NE(opened[j], data[j]) << "byte " << j;
      }
    }
  }
}

// A held context (left by a bare key setup) is dropped too.
TEST_P(Cfb8StreamTest, EmptyDataOrKeyGivesAnEmptyResultAndNoContext) {
  const Bytes data = Pattern(10);
  const struct {
    Bytes data, key;
  } cases[] = {{{}, kKey}, {data, {}}, {{}, {}}};
  for (const auto &c : cases) {
    for (StreamOp op : {GetParam().encrypt, GetParam().decrypt}) {
      CipherEngine engine;
      engine.AesSetKey(kKey, 32);
      ASSERT_TRUE(engine.HoldsContext());
      EXPECT_TRUE((engine.*op)(c.data, c.key).empty());
      EXPECT_FALSE(engine.HoldsContext());
    }
  }
}

// Allocations in order: the digest, the context, the result.  Refusing any
// of them gives an empty result with nothing held and nothing leaked; the
// successful run releases only wiped memory.
TEST_P(Cfb8StreamTest, EveryAllocationFailureGivesAnEmptyResultAndNoContext) {
  const Bytes data = Pattern(33);
  for (StreamOp op : {GetParam().encrypt, GetParam().decrypt}) {
    int allocations = 0;
    {
      TestHeap heap;
      {
        CipherEngine engine(heap);
        EXPECT_EQ(ToBytes((engine.*op)(data, kKey)).size(), data.size());
        allocations = heap.allocations();
      }
      EXPECT_EQ(heap.liveBlocks(), 0u);
      EXPECT_EQ(heap.unwipedReleases(), 0);
    }
    ASSERT_GE(allocations, 3);
    for (int failAt = 1; failAt <= allocations; ++failAt) {
      SCOPED_TRACE(failAt);
      TestHeap heap(failAt);
      CipherEngine engine(heap);
      EXPECT_TRUE((engine.*op)(data, kKey).empty());
      EXPECT_FALSE(engine.HoldsContext());
      EXPECT_EQ(heap.liveBlocks(), 0u);
    }
  }
}

// Writes a guard after every block and checks it on release, so a key setup
// that overran a held context smaller than its layout is caught.
class GuardedHeap final : public Heap {
public:
  static constexpr std::size_t kGuard = 64;

  void *Allocate(std::size_t bytes) noexcept override {
    auto *block = static_cast<std::uint8_t *>(std::malloc(bytes + kGuard));
    if (block == nullptr)
      return nullptr;
    std::memset(block + bytes, 0xA5, kGuard);
    sizes_[block] = bytes;
    return block;
  }
  void Release(void *block) noexcept override {
    if (block == nullptr)
      return;
    auto *bytes = static_cast<std::uint8_t *>(block);
    const std::size_t size = sizes_.at(bytes);
    for (std::size_t i = 0; i < kGuard; ++i)
      overruns_ += bytes[size + i] != 0xA5;
    sizes_.erase(bytes);
    std::free(block);
  }
  int overruns() const { return overruns_; }

private:
  std::map<std::uint8_t *, std::size_t> sizes_;
  int overruns_ = 0;
};

// Whatever the engine did before, the stream starts afresh: a bare key
// setup of another cipher leaves a context that may be smaller (AES, RC6)
// or larger (Blowfish) than the stream's own.
TEST_P(Cfb8StreamTest, ResultsAfterOtherOperationsOnTheSameEngineMatchAFreshOne) {
  const Bytes data = Pattern(300);
  const Bytes password = {'p', 'w'};
  CipherEngine fresh;
  const Bytes expectedSealed = Encrypt(fresh, data);
  const Bytes expectedOpened = Decrypt(fresh, data);

  const std::pair<const char *, std::function<void(CipherEngine &)>> before[] = {
      {"AesEncrypt", [&](CipherEngine &e) { (void)e.AesEncrypt(data, password, 128); }},
      {"AesSetKey", [&](CipherEngine &e) { e.AesSetKey(password, 16); }},
      {"Rc6SetKey", [&](CipherEngine &e) { e.Rc6SetKey(password, 16); }},
      {"BlowfishSetKey", [&](CipherEngine &e) { e.BlowfishSetKey(password, 16); }},
      {"Rc6EncryptCfb8", [&](CipherEngine &e) { (void)e.Rc6EncryptCfb8(data, password); }},
      {"BlowfishDecryptCfb8",
       [&](CipherEngine &e) { (void)e.BlowfishDecryptCfb8(data, password); }},
  };
  for (const auto &[name, operation] : before) {
    SCOPED_TRACE(name);
    GuardedHeap heap;
    {
      CipherEngine engine(heap);
      operation(engine);
      EXPECT_EQ(Encrypt(engine, data), expectedSealed);
      operation(engine);
      EXPECT_EQ(Decrypt(engine, data), expectedOpened);
      EXPECT_FALSE(engine.HoldsContext());
    }
    EXPECT_EQ(heap.overruns(), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Ciphers, Cfb8StreamTest, ::testing::ValuesIn(kCiphers),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace filecrypter
