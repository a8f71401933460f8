//===- cipher/heap.cpp - Process heap and owned heap blocks ---------------===//

#include "cipher/heap.h"

#include "cipher/secure_wipe.h"

#include <cstdint>
#include <cstdlib>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace filecrypter {
namespace {

// Whole files and their containers are the large blocks.  They start on a
// 2 MiB boundary and are offered the system's huge pages: touching a fresh
// block for the first time then costs one page fault per 2 MiB instead of
// one per 4 KiB, and for a large file those faults would otherwise take
// longer than the cipher itself.
constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kLargeBlock = 2 * kHugePage;

void *AllocateLarge(std::size_t bytes) noexcept {
  if (bytes > SIZE_MAX - kHugePage)
    return nullptr;
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void *block = std::aligned_alloc(kHugePage, rounded);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  if (block != nullptr)
    madvise(block, rounded, MADV_HUGEPAGE); // advice only: failure costs speed, nothing else
#endif
  return block;
}

class MallocHeap final : public Heap {
public:
  void *Allocate(std::size_t bytes) noexcept override {
    if (bytes >= kLargeBlock)
      return AllocateLarge(bytes);
    return std::malloc(bytes == 0 ? 1 : bytes);
  }
  void Release(void *block) noexcept override { std::free(block); }
};

} // namespace

Heap &ProcessHeap() noexcept {
  static MallocHeap heap;
  return heap;
}

HeapBlock::HeapBlock(HeapBlock &&other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      heap_(std::exchange(other.heap_, nullptr)) {}

HeapBlock &HeapBlock::operator=(HeapBlock &&other) noexcept {
  if (this != &other) {
    Reset();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    heap_ = std::exchange(other.heap_, nullptr);
  }
  return *this;
}

HeapBlock HeapBlock::Allocate(Heap &heap, std::size_t bytes) noexcept {
  HeapBlock block;
  block.data_ = static_cast<std::uint8_t *>(heap.Allocate(bytes));
  if (block.data_ != nullptr) {
    block.size_ = bytes;
    block.heap_ = &heap;
  }
  return block;
}

void HeapBlock::Reset() noexcept {
  if (data_ == nullptr)
    return;
  SecureWipe({data_, size_});
  heap_->Release(data_);
  data_ = nullptr;
  size_ = 0;
  heap_ = nullptr;
}

} // namespace filecrypter
