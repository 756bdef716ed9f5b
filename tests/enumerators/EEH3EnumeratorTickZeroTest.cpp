// An event at tick 0: found forward like any other, never found backward (tick 0 marks an unwritten record).
#include "enumerators/framework/EEH3Enumerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <istream>
#include <ostream>

#include "enumerators/framework/FamilyEnum.h"
#include "enumerators/framework/ParamsBase.h"
#include "enumerators/framework/StateBase.h"
#include "tests/enumerators/DetectorHarness.h"

using harness::Drain;
using harness::Events;
using harness::Ticks;

namespace {

constexpr int32_t kEnd = 0x7FFFFFFF;

// A family without sources over a record of kLength ticks whose events lie at fixed ticks: one at 0 and one
// in the third chunk, so a backward search from the second chunk walks back to the first.
struct FixedTicks {
  static constexpr int32_t kLength = 250000;
  static constexpr int32_t kTicks[] = {0, 200000};

  struct Params : EEH3::ParamsBase {
    void Load(std::wistream& in) override { LoadLimits(in); }
    void Save(std::wostream& out) const override { SaveLimits(out); }
    void AddSources(int32_t, IUnknown**) override {}
  };
  struct State : EEH3::StateBase {
    explicit State(int32_t tick = 0) : StateBase(tick) {}
  };
  using Record = EventPkStm;

  static bool Step(State& state, Params&, Record& out, int32_t stepEnd) {
    for (const int32_t tick : kTicks) {
      if (tick >= state.position && tick < stepEnd) {
        out = EventPkStm::Peak(tick, 1.0f);
        state.position = tick + 1;
        return true;
      }
    }
    if (state.final) {
      state.position = kRecordEndOffset;
      return false;
    }
    EEH3::RaisePosition(state.position, std::min(stepEnd, kLength));
    return false;
  }
};

using FixedTicksEnumerator = EEH3::EEH3Enumerator<EEH3::FamilyEnum<FixedTicks, 4>, 8>;

ComPtr<IEnumEventEx> MakeFixedTicks() {
  ComPtr<ICalcEnum> calc;
  calc.Attach(new FixedTicksEnumerator(nullptr, nullptr));
  uint32_t kind = 0;
  EXPECT_EQ(calc->LoadSettings(QOR::String(L"0").GetInterface(), &kind), S_OK);
  EXPECT_EQ(calc->SetSources(0, 0, nullptr, nullptr, harness::kTickPeriod, 0), S_OK);
  return Events(calc.Get());
}

int32_t PositionOf(IEnumEventEx* events) {
  int32_t position = -2;
  EXPECT_EQ(events->GetPosition(&position), S_OK);
  return position;
}

}  // namespace

TEST(EEH3EnumeratorTickZero, ForwardFindAcceptsItAndNextHandsItOutOnce) {
  ComPtr<IEnumEventEx> events = MakeFixedTicks();
  EXPECT_EQ(events->Find(0, 0, 0, kEnd), S_OK);
  EXPECT_EQ(PositionOf(events.Get()), 0);
  EXPECT_EQ(Ticks(Drain(events.Get())), (std::vector<int32_t>{0, 200000}));
  // The same from a record already read to its end, where the search restarts from a checkpoint.
  EXPECT_EQ(events->Find(0, 0, 0, kEnd), S_OK);
  EXPECT_EQ(Ticks(Drain(events.Get())), (std::vector<int32_t>{0, 200000}));
}

TEST(EEH3EnumeratorTickZero, BackwardFindNeverAcceptsIt) {
  const struct {
    int32_t tick;
    HRESULT hr;
    int32_t position;
  } cases[] = {
      {5, S_FALSE, 5},             // within the first chunk
      {150000, S_FALSE, 150000},   // from the second chunk, walking back to the first
      {250000, S_OK, 200000},      // an event after tick 0 is found as usual
      {200000, S_FALSE, 200000},   // the event at the tick itself lies not before it
  };
  for (const auto& c : cases) {
    ComPtr<IEnumEventEx> events = MakeFixedTicks();
    EXPECT_EQ(events->Find(1, c.tick, 0, kEnd), c.hr) << "from " << c.tick;
    EXPECT_EQ(PositionOf(events.Get()), c.position) << "from " << c.tick;
    // Nothing pending after a failed backward search: Next goes on from the position.
    const std::vector<int32_t> rest = Ticks(Drain(events.Get()));
    const std::vector<int32_t> expected =
        c.position <= 200000 ? std::vector<int32_t>{200000} : std::vector<int32_t>{};
    EXPECT_EQ(rest, expected) << "from " << c.tick;
  }
}
