// The rest a response is measured from after a stimulus, and what the stimulus's artefact leaves of the search
// (the baseline's here, the peak's in the response peak detector).
#pragma once

#include <cstdint>

#include "base/TickConversion.h"

namespace ZR::Enum::Rest {

// After a stimulus, rest is the level the signal held just before it; a segment whose level departs from rest by
// more than the noise allows is the stimulus's artefact, not rest, whatever the artefact's shape:
// - the artefact's top is the sample farthest from the level before it among the last kArtefactMs up to the
//   stimulus (the stimulus detector places the stimulus on the top, or on the edge or the sample after it);
// - the artefact runs back from its top over samples farther than kRestSpread noise SDs from the median of the
//   kRestMs of samples before them (their own noise: the slope of a response still decaying there is no artefact),
//   looking back at most kLookMs (an artefact's part before its top up to kArtefactMs), as ArtefactWalk says;
// - rest is the course of the samples in the kRestMs before the artefact (the straight line through them) where the
//   artefact begins, so that a response still decaying there is followed; the noise is their SD about that line
//   (1.4826 x the median absolute deviation; the root mean square deviation when more than half are equal);
// - the response's foot is the sample after the stimulus farthest from the peak on rest's side, after the last
//   sample beyond the peak: the response rises from there, and no artefact lies between it and the peak;
// - a segment after the stimulus whose mean lies farther than kRestSpread noise SDs from rest, or that ends at or
//   after the foot, is no baseline; rest itself is one, closed where the artefact begins and scored as the segments
//   are (long, far from the peak, near it), so that a short segment at rest by chance (a sample of an undershoot
//   within the noise) does not outscore the samples the noise's SD was measured on. Where rest wins, or no segment
//   is left, its span ends at the foot (so that the response's extreme is sought from there);
// - the response's window ends where the next stimulus's artefact begins (its first sample as above), not only at
//   the next stimulus, which the stimulus detector places on the artefact's top;
// - a peak of the response search is the artefact's when the signal falls back to rest from it (to within
//   kRestSpread SDs of rest's own samples about their median, their slow wander included, or half the search's
//   minimum height where that is more: a sample that near rest lies nearer it than any peak the search takes, and
//   2 ms of slow noise show less than its whole spread; or past it) no later than kArtefactMs after the stimulus: a biphasic artefact's second phase, a pulse's overshoot, an artefact whose
//   stimulus was placed on the sample before it. The search restarts there; a peak the signal has not left for rest
//   by then is the response's. Its rise is counted from rest at the lowest: a trough beyond rest is the artefact's
//   too.
// Without kMinRestSamples samples before the artefact there is no rest to judge by, and every segment and peak
// stands.
// Long against the noise's own time course, short against rest's drift.
inline constexpr double kRestMs = 2.0;
// An artefact lasts at most this long on either side of its stimulus sample: a stimulus pulse and its phases are
// steps of the stimulator, over well before a response has risen and fallen back to rest.
inline constexpr double kArtefactMs = 2.0;
inline constexpr double kLookMs = kRestMs + kArtefactMs;
// Two SDs of the noise: half the four within which noise keeps a Height, the other half left to the peak's sample.
inline constexpr double kRestSpread = 2.0;
// The fewest samples whose median absolute deviation is a spread at all.
inline constexpr int32_t kMinRestSamples = 4;

// kRestMs in ticks of tickPeriod seconds, at least kMinRestSamples; kLookMs likewise, at least that.
inline int32_t RestTicks(double tickPeriod) noexcept {
  const int32_t ticks = MsToTicks(kRestMs, tickPeriod);
  return ticks > kMinRestSamples ? ticks : kMinRestSamples;
}
inline int32_t LookTicks(double tickPeriod) noexcept {
  const int32_t ticks = MsToTicks(kLookMs, tickPeriod), rest = RestTicks(tickPeriod);
  return ticks > rest ? ticks : rest;
}

// How the artefact's first sample is found from its top.
// - FromTop: the walk goes back from the top over each sample beyond the samples just before it. Where much of the
//   artefact precedes the stimulus (a noisy flat top, the stimulus on its last sample), those samples hold part of
//   the artefact, whose spread then hides the sample, and the walk stops on the artefact. The response peak
//   detector and the response's window keep it, so that the rows of the fixed and lowest baselines stay as they
//   were.
// - BeforeIt: the artefact's first sample is the earliest from which every sample up to the top lies farther than
//   kRestSpread noise SDs on the top's side of the median of the kRestMs of samples before that first one (fewer
//   only where the top comes sooner): the samples before the artefact judge all of it, so no part of it counts as
//   rest, and a response still decaying away from the top is none of it. The baseline search takes rest so.
enum class ArtefactWalk { FromTop, BeforeIt };

struct StimulusRest {
  bool measured = false;  // rest was looked for (once per event)
  bool known = false;     // and found
  float level = 0.0f;
  double allowed = 0.0;   // kRestSpread noise SDs
  double spread = 0.0;    // kRestSpread SDs of rest's samples about their median (its slow wander and course too)
  int32_t startTick = -1; // the samples rest was taken from, inclusive
  int32_t endTick = -1;
  int32_t stimulusTick = -1;
  double side = 1.0;      // +1 when the peak lies at or above rest, -1 below
  double peak = 0.0;
  // The best segment at rest, scored as the scanner scores segments.
  double bestScore = 0.0;
  float bestMean = 0.0f;
  int32_t bestStartTick = -1;
  int32_t bestEndTick = -1;
  // The response's foot so far; -1 while there is none.
  float footValue = 0.0f;
  int32_t footTick = -1;
};

// Measures rest from v[0..count), at ticks firstTick.., whose last sample is the stimulus sample; restTicks is kRestMs
// in ticks. peak is the level of the response's peak.
void MeasureRest(StimulusRest& r, const float* v, int32_t count, int32_t firstTick, int32_t restTicks,
                 double peak, ArtefactWalk walk = ArtefactWalk::FromTop);

// The first sample of the artefact of the stimulus whose sample is v[count - 1] (v at ticks firstTick..), -1 without
// rest before it.
int32_t ArtefactStart(const float* v, int32_t count, int32_t firstTick, int32_t restTicks);

// Finds the response's foot over the samples v[0..count) at ticks firstTick.. (all before the peak), before the
// segments are judged.
void TrackFoot(StimulusRest& r, const float* v, int32_t firstTick, int32_t count) noexcept;

// A segment of this mean is rest.
inline bool AtRest(const StimulusRest& r, double mean) noexcept {
  const double d = mean - r.level;
  return d <= r.allowed && -d <= r.allowed;
}

}  // namespace ZR::Enum::Rest
