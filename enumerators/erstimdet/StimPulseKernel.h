// Stimulus pulse detection over channel samples: the resumable kernel behind ERStimDet.
// Units are ticks. A pulse is a step of at least `height` up (or down) from the lowest (highest)
// sample before it, followed by a return of at least `height` from its top; both tests inclusive. The stimulus lies at the whole
// tick of the pulse's top. Nothing is interpolated.
// A pulse's width runs from the sample where its step first stood `height` beyond the base to the
// sample where it has come back by `height` from its top, and may not exceed `widthTicks`: the
// pulse's own length whatever its shape (flat, undershooting, with a tail, biphasic) and wherever
// noise puts the top on a flat one, so that no artefact the limit admits is lost. (A symmetric
// pulse twice `height` tall measures as twice its top's fall by `height`.) A step is sharp: where
// the top climbs `height` above the lowest sample of the last one to two widths since the step
// (noise that crossed first, the artefact later; a recovery that crossed, then the artefact), the
// step starts anew there; a slow fall or rise that crossed long before (a response decaying into
// the next artefact) does not, and is too wide.
#pragma once

#include <cstdint>

namespace ZR::Enum::ERStimDet {

// One direction's pulse in progress; all zero when empty.
struct EdgeTracker {
  int32_t baseTick = 0;
  float baseValue = 0.0f;
  int32_t topTick = 0;
  float topValue = 0.0f;
  int32_t phase = 0;  // 0 empty, 1 watching the rise, 2 watching the fall
  int32_t stepTick = 0;         // where the step first stood `height` beyond its base
  int32_t spanStart = 0;        // since the step (phase 2): the span of one width being filled,
  float spanLow = 0.0f;         // its lowest sample,
  float earlierLow = 0.0f;      // and the lowest of the span before it
};

// The detection rules in ticks, derived once from the parameters.
struct StimRules {
  double height = 1.0;
  int32_t widthTicks = 2147483647;  // step to return; also the span a new step is sought in
  int32_t skipTicks = 0;            // tops at or before this tick are ignored (0: none)
  int32_t minGapTicks = 0;          // from the previous accepted stimulus
  bool oneStimPerBlock = false;
};

inline constexpr int32_t kNoStimYet = -99999999;

// Everything the scan needs to resume at the next sample.
struct StimScanState {
  EdgeTracker rising;   // upward pulses
  EdgeTracker falling;  // downward pulses
  int32_t lastStimTick = kNoStimYet;
  int32_t position = 0;  // lowest tick at which the next stimulus may still lie
};

// Feeds one sample (tick t, value v). Answers true with *stimTick set when an accepted stimulus
// completes on this sample; position then stands after it (or at recordEnd with oneStimPerBlock).
bool FeedStimSample(StimScanState& state, const StimRules& rules, int32_t t, float v,
                    int32_t recordEnd, int32_t* stimTick) noexcept;

struct StimScanResult {
  uint32_t consumed = 0;  // samples taken from the block
  bool found = false;
  int32_t stimTick = -1;
};

// Scans a block of count samples whose first lies at firstTick, stopping before the first sample
// read while position is at or past stepEnd, and right after an accepted stimulus.
StimScanResult ScanStimBlock(StimScanState& state, const StimRules& rules, const float* samples,
                             uint32_t count, int32_t firstTick, int32_t stepEnd,
                             int32_t recordEnd) noexcept;

}  // namespace ZR::Enum::ERStimDet
