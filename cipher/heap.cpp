//===- cipher/heap.cpp - Process heap and owned heap blocks ---------------===//

#include "cipher/heap.h"

#include "cipher/secure_wipe.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace filecrypter {
namespace {

// Every block starts with a header that says how it was obtained, so that
// Release can tell a large block from a small one without being told.
struct BlockHeader {
  std::size_t total; // bytes obtained from the C library, header included
  bool large;
};
constexpr std::size_t kSmallOffset = 16; // keeps malloc's alignment
constexpr std::size_t kLargeOffset = 64; // keeps a cache line's alignment
static_assert(sizeof(BlockHeader) <= kSmallOffset && alignof(std::max_align_t) <= kSmallOffset);

// Whole files and their containers are the large blocks.  They start on a
// 2 MiB boundary and are offered the system's huge pages: touching a fresh
// block for the first time then costs one page fault per 2 MiB instead of
// one per 4 KiB.
constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kLargeBlock = 2 * kHugePage;

// Even with huge pages the kernel clears every fresh page, and for a large
// result that costs as much as the cipher.  So the most recently released
// large block is kept, already wiped by its owner, for the next large
// request it can serve; a caller that encrypts buffer after buffer then
// reuses the same memory.  Blocks above this size go straight back to the
// system rather than sit idle.
constexpr std::size_t kLargestKept = std::size_t{256} << 20;

BlockHeader &HeaderOf(void *block) noexcept {
  return *reinterpret_cast<BlockHeader *>(static_cast<std::uint8_t *>(block) - kSmallOffset);
}

void *BaseOf(void *block) noexcept {
  return static_cast<std::uint8_t *>(block) - (HeaderOf(block).large ? kLargeOffset : kSmallOffset);
}

void *Publish(void *base, std::size_t total, bool large) noexcept {
  void *block = static_cast<std::uint8_t *>(base) + (large ? kLargeOffset : kSmallOffset);
  ::new (&HeaderOf(block)) BlockHeader{total, large};
  return block;
}

class MallocHeap final : public Heap {
public:
  void *Allocate(std::size_t bytes) noexcept override {
    if (bytes >= kLargeBlock)
      return AllocateLarge(bytes);
    void *base = std::malloc(bytes + kSmallOffset);
    return base == nullptr ? nullptr : Publish(base, bytes + kSmallOffset, false);
  }

  void Release(void *block) noexcept override {
    if (block == nullptr)
      return;
    const BlockHeader header = HeaderOf(block);
    void *base = BaseOf(block);
    if (header.large && header.total <= kLargestKept) {
      std::lock_guard<std::mutex> lock(mutex_);
      std::swap(base, kept_);
      keptTotal_ = header.total;
    }
    std::free(base);
  }

private:
  void *AllocateLarge(std::size_t bytes) noexcept {
    if (bytes > SIZE_MAX - kHugePage - kLargeOffset)
      return nullptr;
    const std::size_t total = (bytes + kLargeOffset + kHugePage - 1) / kHugePage * kHugePage;
    {
      // A kept block serves a request that needs no more than it has and
      // at least half of it, so a small request does not pin a big block.
      std::lock_guard<std::mutex> lock(mutex_);
      if (kept_ != nullptr && keptTotal_ >= total && keptTotal_ / 2 <= total)
        return Publish(std::exchange(kept_, nullptr), keptTotal_, true);
    }
    void *base = std::aligned_alloc(kHugePage, total);
    if (base == nullptr)
      return nullptr;
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    madvise(base, total, MADV_HUGEPAGE); // advice only: failure costs speed, nothing else
#endif
    return Publish(base, total, true);
  }

  std::mutex mutex_; // guards the two below
  void *kept_ = nullptr;
  std::size_t keptTotal_ = 0;
};

} // namespace

Heap &ProcessHeap() noexcept {
  // Never destroyed: objects destroyed at exit may still release blocks.
  union Immortal {
    Immortal() : heap() {}
    ~Immortal() {}
    MallocHeap heap;
  };
  static Immortal process;
  return process.heap;
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
