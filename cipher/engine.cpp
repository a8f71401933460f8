//===- cipher/engine.cpp - Construction, cloning and the context field ----===//

#include "cipher/engine.h"

#include <new>

namespace filecrypter {

void CipherEngine::Destroy() noexcept { ReleaseContext(); }

std::unique_ptr<CipherEngine> CipherEngine::Clone() const {
  std::unique_ptr<CipherEngine> copy(new (std::nothrow) CipherEngine(*heap_));
  if (copy)
    copy->aesRounds_ = aesRounds_;
  return copy;
}

CipherEngine::~CipherEngine() { CipherEngine::Destroy(); }

std::uint8_t *CipherEngine::AcquireContext(std::size_t needed, std::size_t reserve) noexcept {
  if (context_ && context_.size() >= needed)
    return context_.data();
  context_.Reset();
  context_ = HeapBlock::Allocate(*heap_, reserve < needed ? needed : reserve);
  return context_.data();
}

} // namespace filecrypter
