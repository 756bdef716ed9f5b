// InterfaceArray: an array of interface pointers that holds one reference on each element.
#pragma once

#include <unknwn.h>

#include <algorithm>
#include <cstddef>
#include <vector>

template <class T>
class InterfaceArray {
 public:
  // Capacity grows to the larger of twice the capacity and the step when full.
  explicit InterfaceArray(size_t initialCapacity = 8, size_t step = 8) : mStep(step) {
    mItems.reserve(initialCapacity);
  }
  InterfaceArray(const InterfaceArray&) = delete;
  InterfaceArray& operator=(const InterfaceArray&) = delete;
  ~InterfaceArray() { Clear(); }

  // Appends item with a reference of the array's own.
  void Add(T* item) {
    if (mItems.size() == mItems.capacity())
      mItems.reserve(std::max(mItems.capacity() * 2, mStep));
    mItems.push_back(item);
    if (item) item->AddRef();
  }
  // Removes the first occurrence and releases it; false when item is not held.
  bool Remove(T* item) noexcept {
    const auto it = std::find(mItems.begin(), mItems.end(), item);
    if (it == mItems.end()) return false;
    mItems.erase(it);
    if (item) item->Release();
    return true;
  }
  bool Contains(T* item) const noexcept {
    return std::find(mItems.begin(), mItems.end(), item) != mItems.end();
  }
  // Releases every element, last first.
  void Clear() noexcept {
    while (!mItems.empty()) {
      T* const item = mItems.back();
      mItems.pop_back();
      if (item) item->Release();
    }
  }
  size_t Size() const noexcept { return mItems.size(); }
  size_t Capacity() const noexcept { return mItems.capacity(); }
  T* operator[](size_t index) const noexcept { return mItems[index]; }

 private:
  std::vector<T*> mItems;
  size_t mStep;
};
