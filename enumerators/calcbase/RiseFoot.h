// The foot of a peak's rise: the level the signal stood at where it began to rise to a peak known only by its
// extreme, found by walking back from the peak over short blocks of samples.
#pragma once

#include <cstdint>

namespace ZR::Enum::CalcBase {

struct RiseFootRules {
  int32_t blockTicks = 4;   // samples averaged into one step of the walk, at least 1
  int32_t flatBlocks = 20;  // the shortest stretch without a new low that ends the walk, in blocks
  int32_t lagBlocks = 5;    // the lag of the third differences the noise is measured from, in blocks
  int32_t riseBlocks = 100; // the longest rise from no top of its own, in blocks: longer, a walk follows a course
  int32_t noiseBlocks = 1000;  // the blocks nearest the peak the noise is measured over
};

// Indexes into the samples handed to FindRiseFoot; found false when there was no sample.
struct RiseFoot {
  bool found = false;
  double level = 0.0;     // the mean of the stretch the foot stands on
  double polarity = 1.0;  // +1 the peak lies above the samples just before it, -1 below
  int32_t first = 0;      // the stretch's first sample
  int32_t last = 0;       // its last: the last sample of the low block, nearest the peak
};

// v[0, count) are the samples before a peak of value peak, v[count - 1] the one just before it. Blocks are laid
// from the peak backwards (a part block at v's start is not used; fewer samples than a block make one block) and
// seen from the peak's side (times the polarity, so the rise goes up toward the peak; the side is that of the nearest
// block that differs from the peak). Every rule is in time: the rules' counts come from a block of fixed duration.
// The tolerance is four times the blocks' noise, measured as the median of their third differences over lagBlocks
// (a slope or a bend is no noise, nor is low-passed noise taken for less than it is) over the noiseBlocks nearest
// the peak. The walk moves its low to each block lower than the low by
// more than the tolerance, so it follows the rise down to its foot. It ends on a flat stretch: the blocks within the
// tolerance of the low for as long as the low lies from the peak and at least flatBlocks, once the low has left the
// event's top (two tolerances below the highest block between it and the peak, or below the peak by more than that
// plus three of a single sample's noise: the peak sample is the extreme of the noise about a slow event's top), or
// once the signal beyond the stretch, over four times its length, falls no more than two tolerances below the low
// (a peak of the noise on a slope, which has no top of its own and rose from that stretch); a
// block above that band (the event's own top, or an earlier event's fall) starts the count again, and a block above
// the peak ends the walk there. A walk that finds no flat stretch is walked again keeping to the rise: a move whose
// fall per block is under an eighth of the fastest move's, or that comes after a pause as long as the flat stretch,
// leaves the rise for the slope the event rode on (an earlier current's return, seen backwards, falls slowly on and
// on), where the rise came down three times as fast as that slope goes on; so does a walk down a slope already
// falling at the peak for longer than riseBlocks (a slow event's rise starts from a top of its own), and one that
// ends at the extreme of a current of the other sign. Then the foot
// is the low at which the pace from the peak's block dropped most, at least three times, to the slope's beyond it,
// the rise standing above that slope by more than two tolerances; when the walk came down a current's return all
// along (its onset beyond rising more than three times as fast) and no low qualifies, the peak rose from the slope
// within its own block. The level is the low block's on a slope; else the mean of the blocks from the low on within
// the tolerance of it, over the flat stretch (from the peak's block over flatBlocks for a peak that rose within it),
// never on the peak's side of it (then the low block's mean).
RiseFoot FindRiseFoot(const float* v, int32_t count, double peak, const RiseFootRules& rules);

}  // namespace ZR::Enum::CalcBase
