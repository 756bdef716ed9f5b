// The foot of a peak's rise: the level the signal stood at where it began to rise to a peak known only by its
// extreme, found over short blocks of samples laid back from the peak.
#pragma once

#include <cstdint>
#include <limits>

namespace ZR::Enum::CalcBase {

struct RiseFootRules {
  int32_t blockTicks = 4;  // samples averaged into one block, at least 1
  int32_t lagBlocks = 5;   // the lag of the third differences the blocks' noise is measured from, in blocks
  bool cutShort = false;   // the samples end where the longest stretch looked back over does, not at the record's
                           // start or an earlier event
  // The peak of the earlier event the samples start just after (NaN when they do not).
  double earlierPeak = std::numeric_limits<double>::quiet_NaN();
};

// The noise a walk measured over blocks enough for its full lag: a block mean's SD and a sample's about its block's
// mean; 0 when not.
struct RiseFootNoise {
  double block = 0.0;
  double within = 0.0;
};

// Indexes into the samples handed to FindRiseFoot; found false when there was no sample.
struct RiseFoot {
  bool found = false;
  double level = 0.0;     // the mean of the stretch the foot stands on
  double polarity = 1.0;  // +1 the peak lies above the samples just before it, -1 below
  int32_t first = 0;      // the stretch's first sample
  int32_t last = 0;       // its last: the last sample of the foot's block, nearest the peak
  bool withinNoise = false;  // a noise peak on the course it stands on: no event of its own
  bool cameBack = false;     // the return of a current of the other sign to the earlier peak it rode on
  RiseFootNoise noise;    // the noise, where these samples were enough to measure it
};

// v[0, count) are the samples before a peak of value peak, v[count - 1] the one just before it. Blocks of a fixed
// duration are laid from the peak backwards (a part block at v's start is not used; fewer samples than a block make one
// block) and seen from the peak's side (times the polarity, so the rise goes up toward the peak; the side is that of
// the nearest block that differs from the peak). The noise is measured from the blocks: a block's SD (at the lag and at
// each longer lag, twice the one before, for levels that far apart) and a sample's. The top the peak stands on: the
// blocks from the peak's on while each lies within the noise's reach below the highest of them so far (sqrt(2 ln m) of
// a block's SD for the highest of m, plus 2 sqrt(2) for a difference of two), however far the peak sample stands above
// them. What the noise allows: a drop from the peak sample (the largest of the top's n samples) sqrt(2 ln n) of a
// sample's SD plus two of a block's, a difference of two blocks 2 sqrt(2) of a block's.
//   The foot is the knee of the rise: the block below the top from which the signal rose to the peak at the steepest
// pace beyond what the noise allows, among the blocks that end a rise: none nearer the peak lies lower; beyond it,
// over as long as the rise took, the signal falls no faster than the rise came down to it (a course the event rode
// on, whatever its slope, goes on beyond its foot; a block on the rise, or on one slope with the peak, has a steeper
// fall beyond it); and it is not the bottom of a current of the other sign whose return rose to the peak (that
// current fell into it no slower, to a block, than it rose out of it). Such a bottom also ends the course beyond a
// block, a block short of it: what lies past it is that current, an artefact before a response, not the course. The
// search ends at the first block above the peak, an earlier event's fall (where none of the samples' blocks is, the
// earlier event's peak just before them when it stands above this one: a block within the noise's lag of it lies in
// that event's return, as a biphasic artefact's other phase does), and, where the samples were cut short, at the first
// block whose course beyond, as long as the rise took, they do not hold (a rise that long is not known to have a foot
// there: the bottom of a current whose slow return rose to the peak). Where the only such blocks were
// bottoms of currents of the other sign and the peak stands above the course the first of them fell from, the peak is
// a current that rose out of its trough (an alternating burst's): its knee is where the signal turned from that
// return to its own rise, the block between that bottom and the peak's block farthest below the straight line joining
// the two, beyond a difference of two blocks' noise (a return's course bulges above that line), where the signal had
// come back up from that bottom and rose on to the peak faster than it had come back. No such block: the
// peak rose from the course within its own block. Where the search was not cut short and the peak rose from no knee, it is a noise
// peak on the course it stands on (withinNoise) when it stands above that course by no more than the noise allows a
// drop from it (no block ends a rise at all: an event's rise, however fast, stands beyond the noise somewhere), or,
// where it rose out of the bottom of a current of the other sign, no higher than the course that current fell from
// (its return brought the signal back to where it was, as a rider's of the other sign does onto a larger current's
// top; a current rising out of an alternating burst's trough stands above the course before it). The rise goes on past its knee while the next block lies lower than the course beyond takes it by more
// than the noise (a rise within a few blocks), while that course falls at over half the rise's pace (a straight
// rise), or while it falls beyond the noise and faster than the course as far again beyond it (a shoulder on a longer
// rise: the lines fitted over the two bend), never onto the bottom of such a return. The level is the course's at the
// foot, over the blocks from the foot on, as many as the rise took (at least the lag), within the noise of the
// foot's: their mean, or their least-squares line's value at the foot where it moves over them beyond the noise.
// Where the samples start just after an earlier event's peak that stands above half way from the foot to this peak and
// no lower than this peak by more than the noise allows a drop from it, and the signal fell from it straight into the
// foot (every block between lies below half way and no lower than the foot by more than a block difference's noise:
// the foot is the trough's bottom, within the noise's lag of the samples' start) and came back out more slowly than it
// fell in, the peak is that earlier peak's course come back after a current of the other sign (cameBack): a rider on
// a larger current's top, no rise of its own.
// Samples too few for a dozen third differences at the full lag (a peak within a few milliseconds of the one before,
// as in a burst) cannot measure the noise at its own time scale: such a walk takes known, the noise the last walk long
// enough measured, and measures it over a shorter lag only where no walk has yet.
RiseFoot FindRiseFoot(const float* v, int32_t count, double peak, const RiseFootRules& rules,
                      const RiseFootNoise& known = {});

}  // namespace ZR::Enum::CalcBase
