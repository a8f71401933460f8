//===- cipher/heap.h - Where the cipher engine gets its memory --*- C++ -*-===//
//
// Every buffer the cipher engine makes (results, key contexts, working areas)
// comes from one `Heap` bound to the engine when it is built.  The default is
// the process heap; tests bind heaps that fail on demand to drive the
// allocation-failure paths.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_CIPHER_HEAP_H
#define FILECRYPTER_CIPHER_HEAP_H

#include <cstddef>
#include <cstdint>
#include <span>

namespace filecrypter {

// An allocate/release pair.  Implementations never throw: a failed
// allocation is reported as nullptr.
class Heap {
public:
  virtual ~Heap() = default;

  // Returns a block of at least `bytes` bytes aligned for any scalar type, or
  // nullptr when the request cannot be met.  The content is not cleared.
  virtual void *Allocate(std::size_t bytes) noexcept = 0;

  // Gives back a block obtained from Allocate on this heap; nullptr is
  // ignored.
  virtual void Release(void *block) noexcept = 0;
};

// The process heap: the C library's allocator, shared by all threads.  It
// keeps the most recently released large block (a few MiB and more) for the
// next large request; blocks reach it already wiped by their HeapBlock.
Heap &ProcessHeap() noexcept;

// A block of bytes owned by a Heap.  Move-only; its content is wiped before
// it goes back to the heap, because blocks hold key schedules and plaintext.
class HeapBlock {
public:
  HeapBlock() noexcept = default;
  HeapBlock(HeapBlock &&other) noexcept;
  HeapBlock &operator=(HeapBlock &&other) noexcept;
  HeapBlock(const HeapBlock &) = delete;
  HeapBlock &operator=(const HeapBlock &) = delete;
  ~HeapBlock() { Reset(); }

  // Allocates `bytes` bytes from `heap`; an empty block when that fails.
  static HeapBlock Allocate(Heap &heap, std::size_t bytes) noexcept;

  // Wipes and releases the block; the object becomes empty.
  void Reset() noexcept;

  explicit operator bool() const noexcept { return data_ != nullptr; }
  std::uint8_t *data() noexcept { return data_; }
  const std::uint8_t *data() const noexcept { return data_; }
  std::size_t size() const noexcept { return size_; }
  std::span<std::uint8_t> bytes() noexcept { return {data_, size_}; }
  std::span<const std::uint8_t> bytes() const noexcept { return {data_, size_}; }

private:
  std::uint8_t *data_ = nullptr;
  std::size_t size_ = 0;
  Heap *heap_ = nullptr;
};

} // namespace filecrypter

#endif // FILECRYPTER_CIPHER_HEAP_H
