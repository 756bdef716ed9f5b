// The per-record store of a shared result cache: calculated records in blocks of 16384 ticks, found by block and
// binary search, and the list of record entries that the host's change notifications drop, insert and remove.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace EEH {

inline constexpr int32_t kEventChunkShift = 14;  // a block holds the records of 16384 ticks

// The records of one block, in tick order.
template <class Record>
class EventChunk {
 public:
  void Insert(const Record& record) {
    const auto at = std::upper_bound(mRecords.begin(), mRecords.end(), record.tick,
                                     [](int32_t tick, const Record& r) { return tick < r.tick; });
    mRecords.insert(at, record);
  }
  // The first record at or after tick, the last at or before it; null when there is none.
  const Record* FirstAtOrAfter(int32_t tick) const {
    const auto at = std::lower_bound(mRecords.begin(), mRecords.end(), tick,
                                     [](const Record& r, int32_t t) { return r.tick < t; });
    return at == mRecords.end() ? nullptr : &*at;
  }
  const Record* LastAtOrBefore(int32_t tick) const {
    const auto at = std::upper_bound(mRecords.begin(), mRecords.end(), tick,
                                     [](int32_t t, const Record& r) { return t < r.tick; });
    return at == mRecords.begin() ? nullptr : &*(at - 1);
  }
  bool Empty() const noexcept { return mRecords.empty(); }

 private:
  std::deque<Record> mRecords;
};

// What the cache keeps for one record: saved algorithm states and the calculated records by block.
template <class State, class Record>
struct RecordEntry {
  int32_t record = 0;
  std::vector<std::unique_ptr<State>> states;
  std::vector<EventChunk<Record>> chunks;  // index: tick >> kEventChunkShift

  void Clear() {
    states.clear();
    chunks.clear();
  }
  // Ticks are record offsets from 0; a negative tick has no block.
  void Add(const Record& r) {
    if (r.tick < 0) return;
    const size_t chunk = static_cast<size_t>(r.tick >> kEventChunkShift);
    if (chunks.size() <= chunk) chunks.resize(chunk + 1);
    chunks[chunk].Insert(r);
  }
  // Searches the blocks upward from the tick's block; a negative tick counts as 0.
  const Record* FirstAtOrAfter(int32_t tick) const {
    tick = std::max(tick, 0);
    for (size_t c = static_cast<size_t>(tick >> kEventChunkShift); c < chunks.size(); ++c)
      if (const Record* r = chunks[c].FirstAtOrAfter(tick)) return r;
    return nullptr;
  }
  // Searches the blocks downward from the tick's block (from the last when that lies beyond).
  const Record* LastAtOrBefore(int32_t tick) const {
    if (tick < 0 || chunks.empty()) return nullptr;
    size_t c = std::min(static_cast<size_t>(tick >> kEventChunkShift), chunks.size() - 1) + 1;
    while (c-- > 0)
      if (const Record* r = chunks[c].LastAtOrBefore(tick)) return r;
    return nullptr;
  }
};

// The record entries of one cache, indexed by record number from 0.
template <class State, class Record>
class RecordList {
 public:
  using Entry = RecordEntry<State, Record>;

  // The entry of record r; when the list is too short, empty entries are appended up to record r + 7.
  Entry& EntryFor(int32_t r) {
    const size_t index = static_cast<size_t>(std::max(r, 0));
    if (mEntries.size() <= index) {
      while (mEntries.size() < index + 8) {
        mEntries.push_back(std::make_unique<Entry>());
        mEntries.back()->record = static_cast<int32_t>(mEntries.size() - 1);
      }
    }
    return *mEntries[index];
  }
  int32_t Count() const noexcept { return static_cast<int32_t>(mEntries.size()); }
  const Entry& At(int32_t r) const { return *mEntries[static_cast<size_t>(r)]; }

  // Empties records [first, end) of those present; a negative end means every record from first on.
  void Drop(int32_t first, int32_t end) {
    const int32_t stop = end < 0 ? Count() : std::min(end, Count());
    for (int32_t r = std::max(first, 0); r < stop; ++r) mEntries[static_cast<size_t>(r)]->Clear();
  }
  // Records inserted (first < second: second - first empty entries at first) or removed (entries [second,
  // first)), when first or second lies within the list; the entries are then renumbered.
  void Move(int32_t first, int32_t second) {
    const auto within = [this](int32_t r) { return r >= 0 && r < Count(); };
    if (first == second || !(within(first) || within(second))) return;
    if (first < second) {
      const size_t at = static_cast<size_t>(std::max(first, 0));
      for (int32_t k = 0; k < second - first; ++k)
        mEntries.insert(mEntries.begin() + static_cast<std::ptrdiff_t>(at), std::make_unique<Entry>());
    } else {
      const size_t from = static_cast<size_t>(std::clamp(second, 0, Count()));
      const size_t to = static_cast<size_t>(std::clamp(first, 0, Count()));
      mEntries.erase(mEntries.begin() + static_cast<std::ptrdiff_t>(from),
                     mEntries.begin() + static_cast<std::ptrdiff_t>(to));
    }
    for (size_t r = 0; r < mEntries.size(); ++r) mEntries[r]->record = static_cast<int32_t>(r);
  }

 private:
  std::vector<std::unique_ptr<Entry>> mEntries;
};

}  // namespace EEH
