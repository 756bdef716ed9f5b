// Stimulus pulse detection: the two edge trackers and the gap, skip and width rules.
#include "enumerators/erstimdet/StimPulseKernel.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace ZR::Enum::ERStimDet {
namespace {

constexpr float kSqrt2 = 1.41421356f;

// Starts the spans of one width each that a step is sought in, at (t, x).
void StartSpans(EdgeTracker& tr, int32_t t, float x) noexcept {
  tr.spanStart = t;
  tr.spanLow = x;
  tr.earlierLow = x;
}

// Adds x at t to the spans (a new one each width), and answers the lowest (highest) of the two.
float SpanLow(EdgeTracker& tr, float s, int32_t t, float x, const StimRules& rules) noexcept {
  if (static_cast<int64_t>(t) - tr.spanStart >= std::max<int64_t>(rules.widthTicks, 1)) {
    tr.earlierLow = tr.spanLow;
    tr.spanStart = t;
    tr.spanLow = x;
  } else if (s * (tr.spanLow - x) > 0.0f) {
    tr.spanLow = x;
  }
  return s * (tr.earlierLow - tr.spanLow) > 0.0f ? tr.spanLow : tr.earlierLow;
}

// Starts the pulse's step at (t, v), and the spans a new step is sought in with it.
void StartStep(EdgeTracker& tr, int32_t t, float v, float level) noexcept {
  tr.stepTick = t;
  tr.stepLevel = level;
  StartSpans(tr, t, v);
}

// The level before the next sample and the reach of the noise below it (0 without a spread yet).
struct LevelReach {
  float level = 0.0f;
  float reach = 0.0f;
};

// The noise's SD from the window's samples, oldest first: the largest, over the lags 1, 2, 4 and 8,
// of the median absolute difference between samples that far apart, over a Gaussian's (0.6745
// sqrt 2). Noise low-passed over a few samples shows at the longer lags; a pulse, a step or a slope
// moves only a minority of the differences, which the median passes over; a lag is taken where its
// differences are at least four times as many as it.
float NoiseSd(const RecentLevel& recent) noexcept {
  float x[kLevelSamples];
  const int32_t n = recent.filled;
  for (int32_t i = 0; i < n; ++i) x[i] = recent.samples[(recent.next - n + i + kLevelSamples) % kLevelSamples];
  float sd = 0.0f;
  float d[kLevelSamples];
  for (const int32_t lag : {1, 2, 4, 8}) {
    const int32_t m = n - lag;
    if (m < 4 * lag) break;  // a step moves a quarter of the differences at most
    for (int32_t i = 0; i < m; ++i) d[i] = std::fabs(x[i + lag] - x[i]);
    std::nth_element(d, d + m / 2, d + m);
    sd = std::max(sd, d[m / 2] / 0.95387f);
  }
  return sd;
}

LevelReach Before(const RecentLevel& recent) noexcept {
  LevelReach out;
  if (recent.filled == 0) return out;
  double sum = 0.0;
  for (int32_t i = 0; i < recent.filled; ++i) sum += recent.samples[i];
  out.level = static_cast<float>(sum / recent.filled);
  float sd = recent.blockSpread;
  const float earlier = recent.earlierBlockSpread;
  if (earlier >= 0.0f && (sd < 0.0f || earlier < sd)) sd = earlier;
  if (sd < 0.0f) sd = recent.filled >= kLevelSamples / 4 ? NoiseSd(recent) : 0.0f;
  out.reach = kNoiseReach * sd;
  return out;
}

// Adds v to the window; each time the window has been filled anew, the noise's SD over it is the
// latest block's.
void Remember(RecentLevel& recent, float v) noexcept {
  recent.samples[recent.next] = v;
  recent.next = (recent.next + 1) % kLevelSamples;
  recent.filled = std::min(recent.filled + 1, kLevelSamples);
  if (++recent.blockFed < kLevelSamples) return;
  recent.blockFed = 0;
  recent.earlierBlockSpread = recent.blockSpread;
  recent.blockSpread = NoiseSd(recent);
}

// Sample v as a low of the tracker with sign s: beyond the level by more than the noise's reach,
// less the reach; nearer, the level; on the tracker's own side of the level, v.
float AsLow(float s, float v, const LevelReach& noise) noexcept {
  const float beyond = s * (noise.level - v);
  return beyond > 0.0f ? v + s * std::min(noise.reach, beyond) : v;
}

// Starts watching for a step from (t, low), trough telling whether that sample is one.
void WatchRise(EdgeTracker& tr, int32_t t, float low, bool trough) noexcept {
  tr.baseTick = t;
  tr.baseValue = low;
  tr.phase = 1;
  tr.hasTrough = trough;
  tr.troughLow = low;
  StartSpans(tr, t, low);
}

// v as a return sample: within the noise's reach of the level before the step, that level, once it
// has left the top by more than the noise reaches between two samples (sqrt 2 times the reach, the
// difference of two samples having sqrt 2 times their SD); nearer the top it is the top's own noise
// and no return, so that a step no taller than that (a stretch of a slope, a response's fall) is no
// pulse.
float Toward(float v, float top, float level, float reach) noexcept {
  if (std::fabs(v - level) > reach) return v;
  return std::fabs(v - top) > kSqrt2 * reach ? level : top;
}

// Advances one tracker with sign s; may lower or raise *proposal. Answers true when a pulse
// completed and passed the width and skip tests (its top in *top).
bool UpdateTracker(EdgeTracker& tr, float s, int32_t t, float v, const LevelReach& noise, const StimRules& rules,
                   int32_t* proposal, int32_t* top) noexcept {
  const float low = AsLow(s, v, noise);
  // A trough beyond the noise's reach is the signal's own, and counts however long ago it came.
  const bool trough = s * (noise.level - v) > noise.reach;
  switch (tr.phase) {
    case 0:
      WatchRise(tr, t, low, trough);
      return false;
    case 1: {
      if (trough && (!tr.hasTrough || s * (tr.troughLow - low) > 0.0f)) {
        tr.hasTrough = true;
        tr.troughLow = low;
      }
      float base = SpanLow(tr, s, t, low, rules);
      if (tr.hasTrough && s * (base - tr.troughLow) > 0.0f) base = tr.troughLow;
      if (s * (tr.baseValue - base) != 0.0f) {
        tr.baseTick = t;
        tr.baseValue = base;
      }
      if (static_cast<double>(s * (v - base)) >= rules.height) {
        tr.topTick = t;
        tr.topValue = v;
        tr.phase = 2;
        StartStep(tr, t, v, noise.level);
      }
      *proposal = t;
      return false;
    }
    default:
      break;
  }
  const float base = SpanLow(tr, s, t, low, rules);
  if (s * (v - tr.topValue) > 0.0f) {
    if (static_cast<double>(s * (v - base)) >= rules.height) StartStep(tr, t, v, noise.level);
    tr.topTick = t;
    tr.topValue = v;
    *proposal = t;
    return false;
  }
  const float back = Toward(v, tr.topValue, tr.stepLevel, noise.reach);
  if (static_cast<double>(s * (tr.topValue - back)) < rules.height) return false;
  tr.phase = 0;
  *proposal = tr.topTick == INT32_MAX ? INT32_MAX : tr.topTick + 1;
  // 64-bit so that an unlimited width or far-apart ticks cannot overflow.
  const bool narrow = static_cast<int64_t>(t) - tr.stepTick <= rules.widthTicks;
  const bool pastSkip = rules.skipTicks == 0 || tr.topTick > rules.skipTicks;
  *top = tr.topTick;
  // A pulse passed over leaves its return as the base of the next step, so that a step on the very
  // next sample (an artefact right after a slow fall came back) still counts.
  if (!(narrow && pastSkip)) WatchRise(tr, t, low, trough);
  return narrow && pastSkip;
}

}  // namespace

bool FeedStimSample(StimScanState& state, const StimRules& rules, int32_t t, float v,
                    int32_t recordEnd, int32_t* stimTick) noexcept {
  int32_t upProposal = state.position;
  int32_t downProposal = state.position;
  int32_t upTop = -1;
  int32_t downTop = -1;
  const bool levelKnown = state.level.filled > 0;
  const LevelReach noise = Before(state.level);
  Remember(state.level, v);
  if (!levelKnown) return false;  // the record's first sample: nothing to count a step from
  const bool up = UpdateTracker(state.rising, 1.0f, t, v, noise, rules, &upProposal, &upTop);
  const bool down = UpdateTracker(state.falling, -1.0f, t, v, noise, rules, &downProposal, &downTop);
  state.position = std::max(state.position, std::min(upProposal, downProposal));
  if (!up && !down) return false;
  // A stimulus from either direction restarts both, even one half way through a pulse.
  state.rising.phase = 0;
  state.falling.phase = 0;
  // The pulse is no level for the next step: the level before its step stands until samples after
  // it have filled the window; the noise measured before it stays.
  const float before = up ? state.rising.stepLevel : state.falling.stepLevel;
  std::fill(std::begin(state.level.samples), std::end(state.level.samples), before);
  state.level.filled = kLevelSamples;
  state.level.next = 0;
  state.level.blockFed = 0;
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
