// IUnknownArray: reference ownership of its elements.
#include "base/InterfaceArray.h"

#include <cstring>

IUnknownArray::~IUnknownArray() {
  if (OwnsElements()) ReleaseRange(0, mCount);
}

uint32_t IUnknownArray::Add(IUnknown* unknown) {
  const uint32_t index = CArrayVoidP::Add(unknown);
  if (unknown != nullptr) unknown->AddRef();
  return index;
}

void IUnknownArray::RemoveAt(uint32_t i) noexcept {
  if (i >= mCount) return;
  auto* unknown = static_cast<IUnknown*>(mElements[i]);
  mElements[i] = nullptr;
  if (unknown != nullptr) unknown->Release();
  std::memmove(mElements + i, mElements + i + 1, (mCount - i - 1) * sizeof(void*));
  --mCount;
}

void IUnknownArray::ReleaseRange(uint32_t first, uint32_t last) {
  for (uint32_t i = last; i > first; --i) {
    auto* unknown = static_cast<IUnknown*>(mElements[i - 1]);
    mElements[i - 1] = nullptr;
    if (unknown != nullptr) unknown->Release();
  }
}
