//===- tests/cipher/engine_memory_test.cpp - Heap, context and wiping -----===//

#include "cipher/engine.h"
#include "tests/support/test_heaps.h"

#include <gtest/gtest.h>

#include <vector>

namespace filecrypter {
namespace {

using testing::TestHeap;

const ByteString kData("sixteen bytes!!+and a few more");
const ByteString kPassword("password");

ByteString SealedData() { return CipherEngine().AesEncrypt(kData, kPassword, 128); }

TEST(EngineMemoryTest, EveryAllocationFailureGivesAnEmptyResultAndNoContext) {
  const ByteString sealed = SealedData();
  // Allocation 1 is the key context, 2 the result.
  for (int failAt : {1, 2}) {
    SCOPED_TRACE(failAt);
    {
      TestHeap heap(failAt);
      CipherEngine engine(heap);
      EXPECT_TRUE(engine.AesEncrypt(kData, kPassword, 128).empty());
      EXPECT_FALSE(engine.HoldsContext());
      EXPECT_EQ(heap.liveBlocks(), 0u);
    }
    {
      TestHeap heap(failAt);
      CipherEngine engine(heap);
      EXPECT_TRUE(engine.AesDecrypt(sealed, kPassword, 128).empty());
      EXPECT_FALSE(engine.HoldsContext());
      EXPECT_EQ(heap.liveBlocks(), 0u);
    }
  }
}

TEST(EngineMemoryTest, ResultsComeFromTheBoundHeapAndContextsAreWipedOnRelease) {
  TestHeap heap;
  {
    CipherEngine engine(heap);
    ByteString sealed = engine.AesEncrypt(kData, kPassword, 128);
    ByteString opened = engine.AesDecrypt(sealed, kPassword, 128);
    EXPECT_EQ(opened, kData);
    EXPECT_EQ(heap.liveBlocks(), 2u); // the two results, owned by us
    // A refused container and a bare key setup leave their contexts to be
    // released (wiped) later.
    std::vector<std::uint8_t> bad(sealed.bytes().begin(), sealed.bytes().end());
    bad[3] = 0x40;
    EXPECT_TRUE(engine.AesDecrypt(bad, kPassword, 128).empty());
    EXPECT_FALSE(engine.HoldsContext());
    engine.AesSetKey(kPassword, 32);
    EXPECT_TRUE(engine.HoldsContext());
  } // engine destroyed while holding a context; results released here too
  EXPECT_EQ(heap.liveBlocks(), 0u);
  EXPECT_EQ(heap.unwipedReleases(), 0u);
  EXPECT_EQ(heap.foreignReleases(), 0u);
}

TEST(EngineMemoryTest, DestroyReleasesAHeldContextAndTheEngineStaysUsable) {
  TestHeap heap;
  CipherEngine engine(heap);
  engine.Destroy(); // nothing held: nothing happens
  engine.AesSetKey(kPassword, 16);
  ASSERT_TRUE(engine.HoldsContext());
  engine.Destroy();
  EXPECT_FALSE(engine.HoldsContext());
  EXPECT_EQ(heap.liveBlocks(), 0u);
  EXPECT_EQ(engine.AesDecrypt(engine.AesEncrypt(kData, kPassword, 128), kPassword, 128), kData);
}

TEST(EngineMemoryTest, CloneStartsWithoutTheSourcesContext) {
  TestHeap heap;
  CipherEngine engine(heap);
  engine.AesSetKey(kPassword, 24);
  std::unique_ptr<CipherEngine> copy = engine.Clone();
  ASSERT_NE(copy, nullptr);
  EXPECT_FALSE(copy->HoldsContext());
  EXPECT_TRUE(engine.HoldsContext());
  EXPECT_EQ(copy->aes_rounds(), 12u);
  EXPECT_EQ(&copy->heap(), &heap);
  copy.reset();
  EXPECT_TRUE(engine.HoldsContext()); // the copy released nothing of ours
}

TEST(EngineMemoryTest, ByteStringCopiesAreIndependentAndEmptyIsEmpty) {
  ByteString empty;
  EXPECT_TRUE(empty.empty());
  EXPECT_STREQ(empty.c_str(), "");
  ByteString a("abc");
  ByteString b = a;
  b.mutable_bytes()[0] = 'x';
  EXPECT_EQ(a.view(), "abc");
  EXPECT_EQ(b.view(), "xbc");
  EXPECT_STREQ(b.c_str(), "xbc");
  ByteString moved = std::move(b);
  EXPECT_TRUE(b.empty()); // NOLINT(bugprone-use-after-move): documented state
  EXPECT_EQ(moved.view(), "xbc");
}

} // namespace
} // namespace filecrypter
