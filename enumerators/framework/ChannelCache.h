// The per-record checkpoints of a template enumerator and the record search that steps its algorithm in
// chunks of 100000 ticks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "base/NoValue.h"
#include "enumerators/framework/ParamsBase.h"
#include "enumerators/framework/StateBase.h"

namespace EEH3 {

inline constexpr int32_t kChunkTicks = 100000;

inline int32_t ChunkOf(int32_t tick) noexcept { return tick <= 0 ? 0 : tick / kChunkTicks; }
// End tick of a chunk, clamped to kRecordEndOffset.
inline int32_t ChunkEnd(int32_t chunk) noexcept {
  const int64_t end = (static_cast<int64_t>(chunk) + 1) * kChunkTicks;
  return end >= kRecordEndOffset ? kRecordEndOffset : static_cast<int32_t>(end);
}

// The checkpoints of one record: entry k holds a state standing at or after the end of chunk firstChunk + k;
// entry 0 starts as the record's initial state.
template <class State>
struct RecordCache {
  std::vector<std::unique_ptr<State>> entries;
  int32_t firstChunk = 0;
};

// What a search answers: whether it has a result, and the next unexamined tick.
struct SearchOutcome {
  bool found = false;
  int32_t reported = 0;
};

// Algorithm supplies the types State, Params and Record and
//   static bool Step(State&, Params&, Record& out, int32_t stepEnd)
// which advances the state over its readers (positioned where the state left them) and answers whether it
// wrote one event into out.
template <class Algorithm>
class ChannelCache {
 public:
  using State = typename Algorithm::State;
  using Params = typename Algorithm::Params;
  using Record = typename Algorithm::Record;

  void DeleteCurrent() noexcept { mCurrent.reset(); }
  State* Current() noexcept { return mCurrent.get(); }
  void NoteCurrentTick(int32_t tick) noexcept { mCurrentTick = tick; }

  // Searches the record params.record from tick p up to tick e (Algorithms of the framework): the first event
  // of the record's window at or after p and before e goes into out; events of the window before p are
  // stepped over, the last of them left in out. online: the host is still sampling the record.
  SearchOutcome Search(Params& params, int32_t p, int32_t e, Record& out, bool online);

 private:
  RecordCache<State>& CacheOf(Params& params);
  std::unique_ptr<State> NewInitialState(const Params& params, int32_t tick) const;
  const State& StartingCheckpoint(Params& params, RecordCache<State>& cache, int32_t p);
  void RestoreSources(Params& params, State& state, int32_t limit, int32_t upper);
  void SaveSources(Params& params, State& state);
  bool DataUsedUp(Params& params, const State& state) const;
  bool RunStep(Params& params, State& state, Record& event, int32_t limit, int32_t upper, int32_t& reported);

  // Only the records read have a cache: the document makes a new chain for each record, and caches made for
  // every record before it would cost the analysis the square of the record count.
  std::map<int32_t, std::unique_ptr<RecordCache<State>>> mRecords;
  std::unique_ptr<State> mCurrent;
  int32_t mCurrentTick = 0;
  bool mMarkedFinal = false;
};

template <class Algorithm>
RecordCache<typename Algorithm::State>& ChannelCache<Algorithm>::CacheOf(Params& params) {
  const int32_t record = std::max(params.record, 0);
  std::unique_ptr<RecordCache<State>>& cache = mRecords[record];
  if (!cache) {
    auto made = std::make_unique<RecordCache<State>>();
    const int32_t lower = params.WindowLower(record);
    made->firstChunk = ChunkOf(lower);
    made->entries.push_back(NewInitialState(params, lower));
    cache = std::move(made);
  }
  return *cache;
}

// A new state standing at tick, its readers to start there.
template <class Algorithm>
std::unique_ptr<typename Algorithm::State> ChannelCache<Algorithm>::NewInitialState(const Params& params,
                                                                                     int32_t tick) const {
  auto state = std::make_unique<State>(tick);
  state->reads.assign(params.sources.size(), SavedRead{tick, 0});
  return state;
}

// The latest checkpoint that has not passed p: entries before p's chunk, walking back over empty ones and
// over any that already stand beyond p; when none is left, the first entry is made anew at the window start.
template <class Algorithm>
const typename Algorithm::State& ChannelCache<Algorithm>::StartingCheckpoint(Params& params,
                                                                             RecordCache<State>& cache, int32_t p) {
  const int32_t last = static_cast<int32_t>(cache.entries.size()) - 1;
  for (int32_t k = std::min(ChunkOf(p) - cache.firstChunk - 1, last); k >= 0; --k) {
    const State* entry = cache.entries[static_cast<size_t>(k)].get();
    if (entry && entry->Position() <= p) return *entry;
  }
  const State* first = cache.entries[0].get();
  if (!first || first->Position() > p) {
    const int32_t lower = params.WindowLower(params.record);
    cache.entries[0] = NewInitialState(params, lower);
  }
  return *cache.entries[0];
}

template <class Algorithm>
void ChannelCache<Algorithm>::RestoreSources(Params& params, State& state, int32_t limit, int32_t upper) {
  const int32_t lower = params.WindowLower(params.record);
  if (state.reads.size() < params.sources.size()) state.reads.resize(params.sources.size(), SavedRead{lower, 0});
  for (size_t i = 0; i < params.sources.size(); ++i) {
    eeh_SourceEnum& reader = *params.sources[i];
    const SavedRead& saved = state.reads[i];
    // The data end first, so that a seek inside the record never sees an earlier record's end.
    reader.dataEnd = upper;
    reader.atEnd = false;
    reader.SeekTo(saved.position);
    if (saved.position > reader.readEnd) reader.readEnd = std::min(std::max(limit, saved.readEnd), reader.dataEnd);
  }
  state.stepEnd = limit;
}

template <class Algorithm>
void ChannelCache<Algorithm>::SaveSources(Params& params, State& state) {
  state.reads.resize(params.sources.size());
  for (size_t i = 0; i < params.sources.size(); ++i) {
    eeh_SourceEnum& reader = *params.sources[i];
    SavedRead& saved = state.reads[i];
    saved.position = reader.Position();
    saved.readEnd = reader.readEnd == kRecordEndOffset ? kRecordEndOffset : std::min(reader.readEnd, state.stepEnd);
  }
}

template <class Algorithm>
bool ChannelCache<Algorithm>::DataUsedUp(Params& params, const State& state) const {
  if (params.sources.empty()) return true;
  if (state.endSource >= 0) {
    const size_t index = static_cast<size_t>(state.endSource);
    return index >= params.sources.size() || params.sources[index]->AtEnd();
  }
  for (const auto& reader : params.sources) {
    if (!reader->AtEnd()) return false;
  }
  return true;
}

// One round's step (with the final step when the data is used up); answers whether it wrote an event.
template <class Algorithm>
bool ChannelCache<Algorithm>::RunStep(Params& params, State& state, Record& event, int32_t limit, int32_t upper,
                                      int32_t& reported) {
  const bool flagAtStart = mMarkedFinal;
  const auto lowered = [limit](int32_t position) {
    return position == kRecordEndOffset ? position : std::min(position, limit);
  };
  if (lowered(state.Position()) >= limit) {
    reported = lowered(state.Position());
    if (reported >= upper) reported = kRecordEndOffset;
    return false;
  }
  RestoreSources(params, state, limit, upper);
  bool found = Algorithm::Step(state, params, event, limit);
  SaveSources(params, state);
  reported = lowered(state.Position());
  if (!found && reported < limit && DataUsedUp(params, state)) {
    state.MarkFinal();
    mMarkedFinal = true;
    RestoreSources(params, state, limit, upper);
    found = Algorithm::Step(state, params, event, limit);
    SaveSources(params, state);
    reported = state.Position();
  }
  if (state.Position() == kRecordEndOffset && !flagAtStart) {
    state.MarkFinal();
    mMarkedFinal = true;
  }
  return found;
}

template <class Algorithm>
SearchOutcome ChannelCache<Algorithm>::Search(Params& params, int32_t p, int32_t e, Record& out, bool online) {
  RecordCache<State>& cache = CacheOf(params);
  mMarkedFinal = false;
  if (!mCurrent) mCurrent = std::make_unique<State>(StartingCheckpoint(params, cache, p));
  State& state = *mCurrent;
  const int32_t lower = params.WindowLower(params.record);
  const int32_t upper = params.WindowUpper(params.record);
  int32_t chunk = ChunkOf(std::max(state.Position(), cache.firstChunk * kChunkTicks));
  SearchOutcome outcome;
  int32_t shortReported = -1;  // the previous round's tick when that round stopped short without an event
  bool previousShort = false;
  for (;;) {
    const int32_t chunkEnd = ChunkEnd(chunk);
    const int32_t limit = std::min({chunkEnd, e, upper});
    Record event;
    const bool found = RunStep(params, state, event, limit, upper, outcome.reported);
    if (outcome.reported == chunkEnd && chunkEnd < kRecordEndOffset && chunk >= cache.firstChunk) {
      const size_t entry = static_cast<size_t>(chunk - cache.firstChunk);
      if (cache.entries.size() <= entry) cache.entries.resize(entry + 1);
      cache.entries[entry] = std::make_unique<State>(state);
    }
    if (found && event.tick >= lower && event.tick < upper) {
      out = event;
      if (p <= event.tick && event.tick < limit) {
        outcome.found = true;
        return outcome;
      }
    }
    if (outcome.reported >= e || outcome.reported == upper) return outcome;
    if (!found && outcome.reported < limit) {
      // While the host samples, a step that ends short of the limit without an event has used up the data
      // that has arrived: the search ends here and resumes from the current state when more arrives.
      if (online) return outcome;
      // Offline the search goes on with the next chunk, whose larger limit may let the step read further. A
      // step that then stops short again without having moved cannot progress at all: end the search there
      // rather than walk every later chunk (or, once the limit stops growing, loop for ever).
      if (previousShort && outcome.reported <= shortReported) return outcome;
      previousShort = true;
      shortReported = outcome.reported;
    } else {
      previousShort = false;
    }
    if (!found) ++chunk;
  }
}

}  // namespace EEH3
