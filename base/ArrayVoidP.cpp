// CArrayVoidP: growth rules and removal.
#include "base/ArrayVoidP.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr uint32_t kDefaultGrowthBlock = 8;

// Slots of void* that fit a 32-bit byte count.
constexpr uint32_t kMaxCapacity = 0x3FFFFFFFu;

uint32_t Checked(uint64_t capacity) {
  if (capacity > kMaxCapacity) throw std::bad_alloc();
  return static_cast<uint32_t>(capacity);
}

}  // namespace

CArrayVoidP::CArrayVoidP(uint32_t initialCount, uint32_t growthBlock, bool doubling,
                         uint32_t capacity)
    // A growth block of 0 would never grow the array (and divides by zero in SetCount).
    : mGrowthBlock(growthBlock == 0 ? kDefaultGrowthBlock : growthBlock),
      mDoubling(doubling ? 1 : 0) {
  mElements = new void*[Checked(capacity) == 0 ? 1 : capacity];
  mCapacity = capacity;
  SetCount(initialCount);
}

void CArrayVoidP::Reallocate(uint32_t capacity) {
  void** block = new void*[capacity == 0 ? 1 : capacity];
  std::memcpy(block, mElements, std::min(mCount, capacity) * sizeof(void*));
  delete[] mElements;
  mElements = block;
  mCapacity = capacity;
}

void CArrayVoidP::ReleaseRange(uint32_t, uint32_t) {}

void CArrayVoidP::SetCount(uint32_t n) {
  if (n <= mCount) return;
  if (n > mCapacity) {
    uint64_t capacity = (static_cast<uint64_t>(n) / mGrowthBlock + 1) * mGrowthBlock;
    if (mDoubling != 0) capacity = std::max<uint64_t>(capacity, 2ull * mCapacity);
    Reallocate(Checked(capacity));
  }
  std::fill(mElements + mCount, mElements + n, nullptr);
  mCount = n;
}

void CArrayVoidP::GrowBy() {
  uint64_t capacity = static_cast<uint64_t>(mCapacity) + mGrowthBlock;
  if (mDoubling != 0) capacity = std::max<uint64_t>(2ull * mCapacity, mGrowthBlock);
  Reallocate(Checked(capacity));
}

void** CArrayVoidP::ElementAt(uint32_t i) {
  if (i >= mCount) {
    if (i >= mCapacity) {
      uint64_t capacity = static_cast<uint64_t>(mGrowthBlock) + i;
      if (mDoubling != 0) capacity = std::max<uint64_t>(capacity, 2ull * mCapacity);
      Reallocate(Checked(capacity));
    }
    std::fill(mElements + mCount, mElements + i + 1, nullptr);
    mCount = i + 1;
  }
  return &mElements[i];
}

uint32_t CArrayVoidP::Add(void* p) {
  if (mCount == mCapacity) GrowBy();
  mElements[mCount] = p;
  return mCount++;
}

bool CArrayVoidP::RemoveRange(uint32_t first, uint32_t last) {
  last = std::min(last, mCount);
  if (first >= last) return false;
  if (mOwnsElements != 0) ReleaseRange(first, last);
  std::memmove(mElements + first, mElements + last, (mCount - last) * sizeof(void*));
  mCount -= last - first;
  return true;
}
