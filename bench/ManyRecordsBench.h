// Many short records: what the analysis document's run costs per record as the recording grows.
#pragma once

namespace bench {

// Prints the seconds of one analysis over 1000 and 10000 records of `ticks` ticks each, the cost per record
// of each and their ratio (1 when the cost grows linearly with the records); the fastest of `repeat` runs.
int RunManyRecordsBench(int ticks, int repeat);

}  // namespace bench
