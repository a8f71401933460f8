//===- tests/aes_hw/large_block_test.cpp - The process heap's large blocks -===//
//
// Blocks of a few MiB and more (whole files, containers) take a path of
// their own through the process heap, rounded up to whole huge pages.
//
//===----------------------------------------------------------------------===//

#include "cipher/heap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

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

} // namespace
} // namespace filecrypter
