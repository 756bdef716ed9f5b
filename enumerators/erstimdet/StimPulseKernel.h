// Stimulus pulse detection over channel samples: the resumable kernel behind ERStimDet.
// Units are ticks. A pulse is a step of at least `height` up (or down) from the lowest (highest)
// sample of the last one to two widths, or from a trough beyond the noise since the last pulse,
// followed by a return of at least `height` from its top toward the level before the step; both
// tests inclusive. The stimulus lies
// at the whole tick of the pulse's top. Nothing is interpolated.
// A sample counts as low only by what it lies beyond the reach of the noise below the level;
// nearer the level, it counts as the level. Counted from noise troughs, two swings of the noise,
// one down and one up, each half the height, made a pulse: with the height 4 to 6 SDs from rest
// such pulses took the artefacts' places through the minimum interval. Now one sample must stand
// about the whole height beyond the level, while a trough that is the signal's own (a biphasic
// artefact's first phase) still counts, less the reach, and on a noise-free channel every sample
// counts as it is. Likewise a return sample within the reach of the level before the step counts
// as that level once it has also left the top by more than the noise reaches between two samples
// (sqrt 2 times the reach); nearer the top it is the top's noise, no return, so a step no taller than
// that (a stretch of a slope or of a response's fall, whose slope swells the SD measured) is no pulse. A pulse passed over (too wide, or before
// the skip) leaves its return sample as the base the next step counts from. The level is the mean
// of the kLevelSamples samples before (its own noise an eighth of the noise's); the noise's SD is
// the smaller of those of the last two whole blocks of as many samples, one of them the quiet before
// an artefact (before the first block, that of the samples so far from the 16th on, and none before
// it), each from the median differences between samples a few ticks apart, which a pulse or a step
// hardly moves; its reach is kNoiseReach SDs. After a stimulus the
// level before its pulse's step stands until samples after the pulse fill the window; the noise's
// SD goes on. The record's first sample has no level and starts no pulse.
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
  float stepLevel = 0.0f;       // the level before that sample
  float troughLow = 0.0f;       // the lowest trough beyond the noise since phase 1 began,
  bool hasTrough = false;       // when there was one
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

// The last kLevelSamples samples, whose mean is the level, and the noise's SD over the latest blocks.
inline constexpr int32_t kLevelSamples = 64;
// How far below its level Gaussian noise reaches, in SDs: sqrt(2 ln n) is 5 for n = 270000 samples.
inline constexpr float kNoiseReach = 5.0f;
struct RecentLevel {
  float samples[kLevelSamples] = {};
  int32_t next = 0;                  // where the next sample goes
  int32_t filled = 0;                // how many of them hold samples
  float blockSpread = -1.0f;         // the noise's SD over the latest whole block (-1: none yet)
  float earlierBlockSpread = -1.0f;  // and of the block before it
  int32_t blockFed = 0;              // samples fed since the latest block
};

// Everything the scan needs to resume at the next sample.
struct StimScanState {
  EdgeTracker rising;   // upward pulses
  EdgeTracker falling;  // downward pulses
  int32_t lastStimTick = kNoStimYet;
  int32_t position = 0;  // lowest tick at which the next stimulus may still lie
  RecentLevel level;
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
