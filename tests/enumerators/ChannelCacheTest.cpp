// The record search's stopping rule, shown with a stub family whose step holds its position back.
#include "enumerators/framework/ChannelCache.h"

#include <gtest/gtest.h>

#include "base/EventRecords.h"

namespace {

// A reader that never reaches its end: the data is never used up, so only the search's own rules stop it.
class EndlessReader final : public EEH3::eeh_SourceEnum {
 public:
  int32_t Position() override { return mTick; }
  bool Advance() override { return false; }
  void SeekTo(int32_t tick) override { mTick = tick; }
  void SetStartTick(int32_t) override {}
  void GetTimeBase(TimeBase* timeBase) override { *timeBase = TimeBase(); }

 private:
  int32_t mTick = 0;
};

// One event at kEventTick. Within the first chunk the step holds its position at 500 (it wants to see beyond
// the chunk); a stuck step holds it there whatever the limit.
struct HoldingFamily {
  static constexpr int32_t kEventTick = 150000;

  struct Params : EEH3::ParamsBase {
    void Load(std::wistream&) override {}
    void Save(std::wostream&) const override {}
    void AddSources(int32_t, IUnknown**) override {}
    bool stuck = false;
  };
  struct State : EEH3::StateBase {
    explicit State(int32_t tick = 0) : StateBase(tick) { ++made; }
    static inline int made = 0;  // states made new (copies not counted)
  };
  using Record = EventPkStm;

  static bool Step(State& state, Params& params, Record& out, int32_t stepEnd) {
    if (params.stuck || stepEnd <= EEH3::kChunkTicks) {
      EEH3::RaisePosition(state.position, 500);
      return false;
    }
    if (state.position <= kEventTick && kEventTick < stepEnd) {
      out = EventPkStm::Peak(kEventTick, 1.0f);
      state.position = kEventTick + 1;
      return true;
    }
    EEH3::RaisePosition(state.position, stepEnd);
    return false;
  }
};

// (Filled in place: a copy of the parameters starts without readers.)
void Prepare(HoldingFamily::Params& params, bool stuck) {
  params.NormaliseLimits();
  params.sources.push_back(std::make_unique<EndlessReader>());
  params.stuck = stuck;
}

}  // namespace

// Short of the limit without an event: while sampling the search stops (more data may come); offline it goes
// on with the next chunk and finds the event there.
TEST(ChannelCache, StopsShortOnlineButGoesOnOffline) {
  HoldingFamily::Params params;
  Prepare(params, false);
  EventPkStm out;
  EEH3::ChannelCache<HoldingFamily> online;
  const EEH3::SearchOutcome waiting = online.Search(params, 0, 350000, out, true);
  EXPECT_FALSE(waiting.found);
  EXPECT_EQ(waiting.reported, 500);

  EEH3::ChannelCache<HoldingFamily> offline;
  const EEH3::SearchOutcome found = offline.Search(params, 0, 350000, out, false);
  EXPECT_TRUE(found.found);
  EXPECT_EQ(out.tick, HoldingFamily::kEventTick);
}

// Offline, a step that stops short again without having moved cannot progress: the search ends instead of
// looping once the limit stops growing.
TEST(ChannelCache, OfflineStepThatCannotProgressEndsTheSearch) {
  HoldingFamily::Params params;
  Prepare(params, true);
  EventPkStm out;
  EEH3::ChannelCache<HoldingFamily> offline;
  const EEH3::SearchOutcome outcome = offline.Search(params, 0, 350000, out, false);
  EXPECT_FALSE(outcome.found);
  EXPECT_EQ(outcome.reported, 500);
}

// The document makes a new chain for each record: a search in record r makes that record's state alone, not
// one for every record before it, which made an analysis cost the square of its record count.
TEST(ChannelCache, SearchMakesStateOfTheReadRecordOnly) {
  HoldingFamily::Params params;
  Prepare(params, false);
  EventPkStm out;
  EEH3::ChannelCache<HoldingFamily> cache;
  HoldingFamily::State::made = 0;
  params.record = 3000;
  cache.Search(params, 0, 1000, out, false);
  EXPECT_EQ(HoldingFamily::State::made, 1);
  params.record = 3001;
  cache.DeleteCurrent();
  cache.Search(params, 0, 1000, out, false);
  EXPECT_EQ(HoldingFamily::State::made, 2);
}
