// The segment clip every plotter uses to keep lines inside the plot rectangle.
#pragma once

#include <windows.h>

namespace MGraph1 {

// Clips (x1, y1)-(x2, y2) in place to plot, whose right and bottom edges are outside (an end
// moved there lands on right - 1 or bottom - 1). Ends are moved one edge at a time, the first
// end first, along the segment; false when nothing is left or a coordinate is not a number.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, const RECT& plot) noexcept;

}  // namespace MGraph1
