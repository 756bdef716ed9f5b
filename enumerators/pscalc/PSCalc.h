// PSCalc: the population-spike measurement; one full measurement record per stimulus of PSPeakDet's stream, with
// the spike's height and area against the line joining its two peaks, the value at a set time and a slope.
#pragma once

#include <cstdint>

#include "enumerators/calcbulk/plugins/BulkParams.h"
#include "enumerators/calcbulk/plugins/CalcSlope.h"
#include "enumerators/framework/EEH3Enumerator.h"
#include "base/EventRecords.h"
#include "enumerators/framework/FamilyEnum.h"
#include "enumerators/framework/StateBase.h"
#include "enumerators/framework/TableParams.h"
#include "enumerators/pscalc/PSCalcParams.h"

namespace ZR::Enum::PSCalc {

// The three numeric parameters, then the limits; source 0 the channel, source 1 PSPeakDet's events.
class Params final : public EEH3::TableParams<PSCalcParams> {
 public:
  // Wraps the sources and derives valueAtTicks and the slope window's parameters.
  void AddSources(int32_t count, IUnknown** interfaces) override;

  int32_t valueAtTicks = 0;
  int32_t analysisType = CalcBulk::kPopulationSpike;
  CalcBulk::BulkParams slopeWindow;  // the slope kernel's view: analysis type and slope window
};

enum class Phase : int32_t { Idle = 0, Collect = 1, WaitNext = 2, Measure = 3 };

class State final : public EEH3::StateBase {
 public:
  explicit State(int32_t tick = 0) noexcept : StateBase(tick) { SetNoValue(valueAt); }
  State(const State&) = default;

  struct Point {
    int32_t tick = 0;
    float value = 0.0f;
  };
  Point events[4];  // the stimulus, then the first peak, trough and second peak
  int32_t nextTick = kRecordEndOffset;
  Phase phase = Phase::Idle;
  int32_t eventCount = 0;
  int32_t responseNumber = 0;  // responses measured in this record so far
  float valueAt;
  float spikeSum = 0.0f;
  float scanMax = 0.0f;
  float scanMin = 0.0f;
  bool scanStarted = false;
  EventBCalcBase2 baseRecord;  // what the slope kernel reads: the stimulus tick
  CalcBulk::CalcSlope slope;
};

struct Algorithm {
  using Params = PSCalc::Params;
  using State = PSCalc::State;
  using Record = EventFCalc;
  // Collects a stimulus and its spike, then measures it; at most one record per call, before stepEnd.
  static bool Step(State& state, Params& params, Record& out, int32_t stepEnd);
};

using Enum = EEH3::FamilyEnum<Algorithm, 4>;  // intermediate calculations

}  // namespace ZR::Enum::PSCalc

namespace ZR::Enum {
using PSCalcEnumerator = EEH3::EEH3Enumerator<PSCalc::Enum, 8>;
}
