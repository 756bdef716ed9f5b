// The trace-drawing benchmark: a long sampled trace drawn into a plot a thousand pixels wide.
#pragma once

namespace bench {

// Draws samples values into a 1000-pixel plot on a 32-bit DIB section, repeat times, both as the
// trace plotter draws a single-colour trace and segment by segment; prints the fastest of each.
int RunTraceDraw(long long samples, int repeat);

}  // namespace bench
