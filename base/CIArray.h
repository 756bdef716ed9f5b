// CIArray<T>: a growable array of owned object pointers.
#pragma once

#include "base/ArrayVoidP.h"

#include <cstdint>

// Holds T* with typed access; while it owns its elements (the default) it deletes them when
// they are removed and, from the last to the first, when the array ends.
template <typename T>
class CIArray : public CArrayVoidP {
 public:
  explicit CIArray(uint32_t initialCount = 0, uint32_t growthBlock = 8, bool doubling = false,
                   uint32_t capacity = 0)
      : CArrayVoidP(initialCount, growthBlock, doubling, capacity) {}
  ~CIArray() override {
    if (OwnsElements()) ReleaseRange(0, mCount);
  }

  T* At(uint32_t i) const noexcept { return static_cast<T*>(mElements[i]); }
  T*& ElementAt(uint32_t i) { return *reinterpret_cast<T**>(CArrayVoidP::ElementAt(i)); }
  uint32_t Add(T* p) { return CArrayVoidP::Add(p); }

 protected:
  void ReleaseRange(uint32_t first, uint32_t last) override {
    for (uint32_t i = last; i > first; --i) {
      delete static_cast<T*>(mElements[i - 1]);
      mElements[i - 1] = nullptr;
    }
  }
};
