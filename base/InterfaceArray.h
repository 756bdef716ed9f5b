// IUnknownArray and InterfaceArray<I>: arrays of interface pointers holding one reference each.
#pragma once

#include "base/ArrayVoidP.h"

#include <unknwn.h>

#include <cstdint>

class IUnknownArray : public CArrayVoidP {
 public:
  explicit IUnknownArray(uint32_t initialCount = 0, uint32_t growthBlock = 8,
                         bool doubling = false, uint32_t capacity = 0)
      : CArrayVoidP(initialCount, growthBlock, doubling, capacity) {}
  ~IUnknownArray() override;

  // Appends unknown with a reference of the array's own (null is stored as null).
  uint32_t Add(IUnknown* unknown);
  // Releases element i and closes the gap; nothing when i is not below the count.
  void RemoveAt(uint32_t i) noexcept;

 protected:
  // Releases the elements from last - 1 down to first and clears their slots.
  void ReleaseRange(uint32_t first, uint32_t last) override;
};

// Typed access to an IUnknownArray of interface I.
template <typename I>
class InterfaceArrayBase : public IUnknownArray {
 public:
  using IUnknownArray::IUnknownArray;
  I* At(uint32_t i) const noexcept { return static_cast<I*>(static_cast<IUnknown*>(mElements[i])); }
  uint32_t Add(I* p) { return IUnknownArray::Add(p); }
};

template <typename I>
class InterfaceArray : public InterfaceArrayBase<I> {
 public:
  using InterfaceArrayBase<I>::InterfaceArrayBase;
};
