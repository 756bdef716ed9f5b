// The renderer's column entries: capacity in steps, and what a released entry lets go.
#include "grid/RendererColumnEntries.h"

#include <gtest/gtest.h>

namespace {

// An object that only counts its references.
struct CountedSource final : IUnknown {
  LONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) noexcept override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return static_cast<ULONG>(--refs); }
};

TEST(RendererColumnEntries, CapacityGrowsAndShrinksInStepsOfEight) {
  RendererColumnEntries entries;
  const struct {
    size_t size, capacity;
  } steps[] = {{1, 8}, {8, 8}, {9, 16}, {40, 48}, {13, 48}, {11, 24}, {5, 12}, {2, 12}, {0, 12}, {30, 32}};
  for (const auto& step : steps) {
    entries.Resize(step.size);
    EXPECT_EQ(step.size, entries.Size());
    EXPECT_EQ(step.capacity, entries.Capacity()) << "at " << step.size << " entries";
  }
}

TEST(RendererColumnEntries, ReleasedEntriesLetGoAndComeBackFresh) {
  CountedSource source;
  RendererColumnEntries entries;
  entries.Resize(40);
  entries[3].CachedSource = QOR::ComPtr<IUnknown>(&source);
  entries[3].RecordIndex = 7;
  entries[3].Owned = std::make_unique<int32_t[]>(4);
  entries.Resize(4);
  EXPECT_EQ(2, source.refs) << "kept across a shrink of the capacity";
  EXPECT_EQ(7, entries[3].RecordIndex);
  entries.Resize(3);
  EXPECT_EQ(1, source.refs) << "released with its entry";
  entries.Resize(4);
  EXPECT_EQ(nullptr, entries[3].CachedSource.Get());
  EXPECT_EQ(0x7FFFFFFF, entries[3].RecordIndex);
  EXPECT_EQ(0, entries[3].RecordPosition);
  EXPECT_EQ(nullptr, entries[3].Owned.get());
}

}  // namespace
