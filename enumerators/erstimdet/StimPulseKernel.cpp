// Stimulus pulse detection: the two edge trackers and the gap, skip and width rules.
#include "enumerators/erstimdet/StimPulseKernel.h"

#include <algorithm>

namespace ZR::Enum::ERStimDet {
namespace {

// Starts the pulse's step at (t, v), and the spans a new step is sought in with it.
void StartStep(EdgeTracker& tr, int32_t t, float v) noexcept {
  tr.stepTick = t;
  tr.spanStart = t;
  tr.spanLow = v;
  tr.earlierLow = v;
}

// Advances one tracker with sign s; may lower or raise *proposal. Answers true when a pulse
// completed and passed the width and skip tests (its top in *top).
bool UpdateTracker(EdgeTracker& tr, float s, int32_t t, float v, const StimRules& rules,
                   int32_t* proposal, int32_t* top) noexcept {
  switch (tr.phase) {
    case 0:
      tr.baseTick = t;
      tr.baseValue = v;
      tr.phase = 1;
      return false;
    case 1:
      if (s * (tr.baseValue - v) > 0.0f) {
        tr.baseTick = t;
        tr.baseValue = v;
      } else if (static_cast<double>(s * (v - tr.baseValue)) >= rules.height) {
        tr.topTick = t;
        tr.topValue = v;
        tr.phase = 2;
        StartStep(tr, t, v);
      }
      *proposal = t;
      return false;
    default:
      break;
  }
  if (static_cast<int64_t>(t) - tr.spanStart >= std::max<int64_t>(rules.widthTicks, 1)) {
    tr.earlierLow = tr.spanLow;
    tr.spanStart = t;
    tr.spanLow = v;
  } else if (s * (tr.spanLow - v) > 0.0f) {
    tr.spanLow = v;
  }
  if (s * (v - tr.topValue) > 0.0f) {
    const float low = s * (tr.earlierLow - tr.spanLow) > 0.0f ? tr.spanLow : tr.earlierLow;
    if (static_cast<double>(s * (v - low)) >= rules.height) StartStep(tr, t, v);
    tr.topTick = t;
    tr.topValue = v;
    *proposal = t;
    return false;
  }
  if (static_cast<double>(s * (tr.topValue - v)) < rules.height) return false;
  tr.phase = 0;
  *proposal = tr.topTick == INT32_MAX ? INT32_MAX : tr.topTick + 1;
  // 64-bit so that an unlimited width or far-apart ticks cannot overflow.
  const bool narrow = static_cast<int64_t>(t) - tr.stepTick <= rules.widthTicks;
  const bool pastSkip = rules.skipTicks == 0 || tr.topTick > rules.skipTicks;
  *top = tr.topTick;
  return narrow && pastSkip;
}

}  // namespace

bool FeedStimSample(StimScanState& state, const StimRules& rules, int32_t t, float v,
                    int32_t recordEnd, int32_t* stimTick) noexcept {
  int32_t upProposal = state.position;
  int32_t downProposal = state.position;
  int32_t upTop = -1;
  int32_t downTop = -1;
  const bool up = UpdateTracker(state.rising, 1.0f, t, v, rules, &upProposal, &upTop);
  const bool down = UpdateTracker(state.falling, -1.0f, t, v, rules, &downProposal, &downTop);
  state.position = std::max(state.position, std::min(upProposal, downProposal));
  if (!up && !down) return false;
  // A stimulus from either direction restarts both, even one half way through a pulse.
  state.rising.phase = 0;
  state.falling.phase = 0;
  const int32_t tick = up ? upTop : downTop;
  if (static_cast<int64_t>(tick) - state.lastStimTick < rules.minGapTicks) return false;
  const int32_t after = tick == INT32_MAX ? INT32_MAX : tick + 1;
  state.position = std::max(state.position, rules.oneStimPerBlock ? recordEnd : after);
  state.lastStimTick = tick;
  *stimTick = tick;
  return true;
}

StimScanResult ScanStimBlock(StimScanState& state, const StimRules& rules, const float* samples,
                             uint32_t count, int32_t firstTick, int32_t stepEnd,
                             int32_t recordEnd) noexcept {
  StimScanResult result;
  if (!samples) return result;
  for (uint32_t i = 0; i < count; ++i) {
    if (state.position >= stepEnd) return result;
    const int32_t t = firstTick + static_cast<int32_t>(i);
    result.consumed = i + 1;
    if (FeedStimSample(state, rules, t, samples[i], recordEnd, &result.stimTick)) {
      result.found = true;
      return result;
    }
  }
  return result;
}

}  // namespace ZR::Enum::ERStimDet
