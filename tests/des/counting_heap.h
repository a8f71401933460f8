//===- tests/des/counting_heap.h - A heap that fails on demand --*- C++ -*-===//
//
// Grants a fixed number of allocations and refuses the rest, counts blocks
// still outstanding, and notes any block that comes back with a non-zero
// byte in it.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_TESTS_DES_COUNTING_HEAP_H
#define FILECRYPTER_TESTS_DES_COUNTING_HEAP_H

#include "cipher/heap.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <map>

namespace filecrypter {

class CountingHeap final : public Heap {
public:
  explicit CountingHeap(std::size_t grants = std::numeric_limits<std::size_t>::max())
      : grants_(grants) {}

  void *Allocate(std::size_t bytes) noexcept override {
    if (grants_ == 0)
      return nullptr;
    --grants_;
    void *block = std::malloc(bytes == 0 ? 1 : bytes);
    if (block != nullptr)
      sizes_[block] = bytes;
    return block;
  }

  void Release(void *block) noexcept override {
    if (block == nullptr)
      return;
    const auto found = sizes_.find(block);
    const auto *bytes = static_cast<const unsigned char *>(block);
    if (std::any_of(bytes, bytes + found->second, [](unsigned char b) { return b != 0; }))
      ++unwipedReleases_;
    sizes_.erase(found);
    std::free(block);
  }

  std::size_t outstanding() const { return sizes_.size(); }
  std::size_t unwipedReleases() const { return unwipedReleases_; }

private:
  std::size_t grants_;
  std::map<void *, std::size_t> sizes_;
  std::size_t unwipedReleases_ = 0;
};

} // namespace filecrypter

#endif // FILECRYPTER_TESTS_DES_COUNTING_HEAP_H
