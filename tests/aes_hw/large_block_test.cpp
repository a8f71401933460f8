//===- tests/aes_hw/large_block_test.cpp - The process heap's large blocks -===//
//
// Blocks of a few MiB and more (whole files, containers) take a path of
// their own through the process heap, rounded up to whole huge pages, and
// the last one released is kept for the next.
//
//===----------------------------------------------------------------------===//

#include "cipher/heap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

namespace filecrypter {
namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;

TEST(LargeBlockTest, LargeBlocksHoldEveryByteAsked) {
  for (std::size_t bytes : {4 * kMiB - 1, 4 * kMiB, 4 * kMiB + 1, 9 * kMiB + 17}) {
    SCOPED_TRACE(bytes);
    HeapBlock block = HeapBlock::Allocate(ProcessHeap(), bytes);
    ASSERT_TRUE(block);
    ASSERT_EQ(block.size(), bytes);
    std::memset(block.data(), 0x5A, bytes);
    EXPECT_EQ(block.data()[0], 0x5A);
    EXPECT_EQ(block.data()[bytes - 1], 0x5A);
  }
}

// Rounding such a size up to whole huge pages would wrap around to a tiny
// block; it has to be refused instead.
TEST(LargeBlockTest, SizesThatCannotBeRoundedUpAreRefused) {
  for (std::size_t bytes : {SIZE_MAX, SIZE_MAX - 1, SIZE_MAX - kMiB}) {
    SCOPED_TRACE(bytes);
    void *block = ProcessHeap().Allocate(bytes);
    EXPECT_EQ(block, nullptr);
    ProcessHeap().Release(block);
  }
}

// Buffer after buffer of the same size must not cost fresh pages each time;
// and what the previous holder left must not show through to the next.
TEST(LargeBlockTest, AReleasedBlockServesTheNextRequestWiped) {
  const std::size_t bytes = 8 * kMiB + 5;
  HeapBlock first = HeapBlock::Allocate(ProcessHeap(), bytes);
  ASSERT_TRUE(first);
  const std::uint8_t *where = first.data();
  std::memset(first.data(), 0xA5, bytes);
  first.Reset();

  HeapBlock second = HeapBlock::Allocate(ProcessHeap(), bytes - 3);
  ASSERT_TRUE(second);
  EXPECT_EQ(second.data(), where);
  EXPECT_TRUE(std::all_of(second.data(), second.data() + second.size(), [](std::uint8_t b) { return b == 0; }));
}

// Threads sharing the process heap never get the same block at once.
TEST(LargeBlockTest, ThreadsNeverShareALiveBlock) {
  std::vector<std::thread> threads;
  std::vector<int> faults(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t, &faults] {
      const auto mark = static_cast<std::uint8_t>(t + 1);
      for (int round = 0; round < 200; ++round) {
        const std::size_t bytes = (4 + static_cast<std::size_t>((t + round) % 3)) * kMiB;
        HeapBlock block = HeapBlock::Allocate(ProcessHeap(), bytes);
        if (!block) {
          ++faults[t];
          continue;
        }
        std::memset(block.data(), mark, 64);
        std::memset(block.data() + bytes - 64, mark, 64);
        std::this_thread::yield();
        if (block.data()[0] != mark || block.data()[bytes - 1] != mark)
          ++faults[t];
      }
    });
  }
  for (std::thread &thread : threads)
    thread.join();
  EXPECT_EQ(faults, std::vector<int>(4, 0));
}

} // namespace
} // namespace filecrypter
