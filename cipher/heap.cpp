//===- cipher/heap.cpp - Process heap and owned heap blocks ---------------===//

#include "cipher/heap.h"

#include "cipher/secure_wipe.h"

#include <cstdlib>
#include <utility>

namespace filecrypter {
namespace {

class MallocHeap final : public Heap {
public:
  void *Allocate(std::size_t bytes) noexcept override {
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
