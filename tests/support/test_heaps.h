//===- tests/support/test_heaps.h - Heaps that fail or inspect --*- C++ -*-===//
//
// Heaps for driving the engine's memory paths in tests: one that refuses a
// chosen allocation, and one that checks every block is wiped before it is
// released.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_TESTS_SUPPORT_TEST_HEAPS_H
#define FILECRYPTER_TESTS_SUPPORT_TEST_HEAPS_H

#include "cipher/heap.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace filecrypter::testing {

// Tracks live blocks; refuses the allocation numbered `failAt` (1-based,
// 0 = never) and every one after it when `failAfter` is set.
class TestHeap final : public Heap {
public:
  explicit TestHeap(int failAt = 0, bool failAfter = false) : failAt_(failAt), failAfter_(failAfter) {}

  // Grants the first `grants` allocations and refuses every later one.
  static TestHeap GrantingOnly(int grants) { return TestHeap(grants + 1, /*failAfter=*/true); }

  void *Allocate(std::size_t bytes) noexcept override {
    ++allocations_;
    if (failAt_ != 0 && (allocations_ == failAt_ || (failAfter_ && allocations_ > failAt_)))
      return nullptr;
    void *block = std::malloc(bytes == 0 ? 1 : bytes);
    if (block != nullptr)
      live_[block] = bytes;
    return block;
  }

  void Release(void *block) noexcept override {
    if (block == nullptr)
      return;
    auto it = live_.find(block);
    if (it == live_.end()) {
      ++foreignReleases_;
      return;
    }
    const auto *bytes = static_cast<const unsigned char *>(block);
    if (!std::all_of(bytes, bytes + it->second, [](unsigned char b) { return b == 0; }))
      ++unwipedReleases_;
    live_.erase(it);
    std::free(block);
  }

  int allocations() const { return allocations_; }
  std::size_t liveBlocks() const { return live_.size(); }
  std::size_t unwipedReleases() const { return unwipedReleases_; }
  std::size_t foreignReleases() const { return foreignReleases_; }

private:
  int failAt_;
  bool failAfter_;
  int allocations_ = 0;
  std::size_t unwipedReleases_ = 0;
  std::size_t foreignReleases_ = 0;
  std::map<void *, std::size_t> live_;
};

} // namespace filecrypter::testing

#endif // FILECRYPTER_TESTS_SUPPORT_TEST_HEAPS_H
