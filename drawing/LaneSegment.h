// What a data pane hands the drawers of its lanes with each painted segment: the time grid (the
// positions of the strip's major ticks) and the segment's time record.
#pragma once

#include "hostapi/RecordDataPixMap.h"

namespace ScrivoDraw {

struct LaneSegment {
  double gridOrigin = 0.0;   // position of a major tick
  double gridSpacing = 0.0;  // positions between major ticks; 0: no time grid
  PixMapTimeScale time{};
};

}  // namespace ScrivoDraw
