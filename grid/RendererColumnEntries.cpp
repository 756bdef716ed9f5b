// RendererColumnEntries: growing and shrinking the renderer's column entries.
#include "grid/RendererColumnEntries.h"

#include <algorithm>
#include <utility>

void RendererColumnEntries::Reallocate(size_t capacity, size_t keep) {
  auto entries = std::make_unique<RendererColumnEntry[]>(capacity);
  for (size_t i = 0; i < keep; ++i) entries[i] = std::move(mEntries[i]);
  mEntries = std::move(entries);
  mCapacity = capacity;
}

void RendererColumnEntries::Resize(size_t n) {
  // Released entries drop their source and array; the ones that come back start fresh.
  for (size_t i = n; i < mSize; ++i) mEntries[i] = RendererColumnEntry();
  if (n > mCapacity)
    Reallocate(std::max((n / kStep + 1) * kStep, 2 * mCapacity), mSize);
  else if (n < mCapacity / 4 && mCapacity / 2 >= kStep)
    Reallocate(mCapacity / 2, n);
  mSize = n;
}
