// The foot of a peak's rise: the level the signal stood at where it began to rise to a peak known only by its
// extreme, found by walking back from the peak over short blocks of samples.
#pragma once

#include <cstdint>

namespace ZR::Enum::CalcBase {

struct RiseFootRules {
  int32_t blockTicks = 4;   // samples averaged into one step of the walk, at least 1
  int32_t flatBlocks = 20;  // the shortest stretch without a new low that ends the walk, in blocks
  int32_t lagBlocks = 5;    // the span of the second differences the noise is measured from, in blocks
  int32_t riseBlocks = 100; // the longest rise, in blocks: a walk down a slope for longer follows a course
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
// seen from the peak's side (times the polarity, so the rise goes up toward the peak). The walk moves its low to
// each block lower than the low by more than the noise tolerance, so it follows the rise down to its foot, for as
// long as the rise falls fast: a move whose fall per block is under an eighth of the fastest move's leaves the rise
// for the slope the event rode on (an earlier current's return, seen backwards, falls slowly on and on), and so
// does one after a pause longer than the low lies from the peak and than flatBlocks (the first move excepted: a
// slow event's flat top may be long); from there the low moves no more and lower blocks count as within the
// tolerance. It ends at a block above the peak
// (an earlier, larger event's fall, seen backwards), or once the blocks have stayed
// within the tolerance of the low for as long as the low lies from the peak and at least flatBlocks, the low more
// than two tolerances below the peak (so a slow event's flat top, within the noise of its peak, does not end it):
// a block above that band (the event's own top, when the peak sample came after it, or an earlier event's fall)
// starts the count again. The tolerance is four times the blocks' noise, measured as the median of their second
// differences (so a steady slope is no noise). The level is the mean of the blocks from the low on within the
// tolerance of it, never on the peak's side of it (then the low block's mean).
RiseFoot FindRiseFoot(const float* v, int32_t count, double peak, const RiseFootRules& rules);

}  // namespace ZR::Enum::CalcBase
