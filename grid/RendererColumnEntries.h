// RendererColumnEntries: the renderer's per-column drawing state, one entry per grid column, kept
// in an array whose capacity grows and shrinks in steps so that refreshing columns reallocates
// seldom.
#pragma once

#include "hostclient/ComPtr.h"

#include <cstddef>
#include <cstdint>
#include <memory>

#include <unknwn.h>

// One column's drawing state. The words are the pixel map's business; the renderer only starts
// them as here, gives the entry the record range and drops the cached source.
struct RendererColumnEntry {
  std::unique_ptr<int32_t[]> Owned;
  int32_t Words[5] = {};
  QOR::ComPtr<IUnknown> CachedSource;  // the column's cached drawing source; null when none
  int32_t MoreWords[3] = {};
  int32_t RecordIndex = 0x7FFFFFFF;
  int32_t Word = 0;
  int64_t RecordPosition = 0;
};

class RendererColumnEntries {
 public:
  static constexpr size_t kStep = 8;

  size_t Size() const noexcept { return mSize; }
  size_t Capacity() const noexcept { return mCapacity; }
  RendererColumnEntry& operator[](size_t i) noexcept { return mEntries[i]; }
  const RendererColumnEntry& operator[](size_t i) const noexcept { return mEntries[i]; }

  // n entries: growing past the capacity takes the larger of the next step above n and twice
  // the capacity; falling below a quarter of it halves the capacity while half is a step or
  // more. Entries beyond n are released; new ones start fresh.
  void Resize(size_t n);

 private:
  void Reallocate(size_t capacity, size_t keep);

  std::unique_ptr<RendererColumnEntry[]> mEntries;
  size_t mSize = 0;
  size_t mCapacity = 0;
};
