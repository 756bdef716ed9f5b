// The grid benchmark: painting, scrolling and selecting in grids of different row counts.
#pragma once

namespace bench {

// Prints one line per row count; answers the process exit code.
int RunGridBench(long long rows, int repeat);

}  // namespace bench
