// CArrayVoidP: the growable array of pointers under the typed and interface arrays.
#pragma once

#include <cstdint>

// Storage shared by the arrays: capacity, the element block and the count.
template <typename T>
class Array {
 public:
  Array() = default;
  Array(const Array&) = delete;
  Array& operator=(const Array&) = delete;
  virtual ~Array() { delete[] mElements; }

  uint32_t Count() const noexcept { return mCount; }
  uint32_t Capacity() const noexcept { return mCapacity; }
  T* Data() noexcept { return mElements; }
  // Element i; i must be below Count().
  T& operator[](uint32_t i) noexcept { return mElements[i]; }
  const T& operator[](uint32_t i) const noexcept { return mElements[i]; }

 protected:
  // A block of capacity slots receives the first Count() elements; the old block is freed.
  virtual void Reallocate(uint32_t capacity) = 0;
  // Disposes of elements first to last - 1.
  virtual void ReleaseRange(uint32_t first, uint32_t last) = 0;

  uint32_t mCapacity = 0;
  T* mElements = nullptr;
  uint32_t mCount = 0;
};

class CArrayVoidP : public Array<void*> {
 public:
  // growthBlock 0 becomes 8; doubling grows to at least twice the capacity.
  CArrayVoidP(uint32_t initialCount = 0, uint32_t growthBlock = 8, bool doubling = false,
              uint32_t capacity = 0);

  // Grows the count to n (never shrinks); new slots are null.
  void SetCount(uint32_t n);
  // Grows the capacity by one step.
  void GrowBy();
  // The address of slot i, growing the array to i + 1 slots when needed.
  void** ElementAt(uint32_t i);
  // Appends p and answers its index.
  uint32_t Add(void* p);
  // Removes slots first to last - 1 (disposing of them when the array owns its elements);
  // false when there was nothing to remove.
  bool RemoveRange(uint32_t first, uint32_t last);

  bool OwnsElements() const noexcept { return mOwnsElements != 0; }

 protected:
  void Reallocate(uint32_t capacity) override;
  void ReleaseRange(uint32_t first, uint32_t last) override;

  uint32_t mGrowthBlock;
  uint8_t mOwnsElements = 1;
  uint8_t mDoubling;
};
