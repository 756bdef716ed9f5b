// The online road: analysing while the stand-in host samples against analysing the finished recording.
#pragma once

namespace bench {

// Prints the offline and online seconds over `samples` ticks of the cardiac signal sampled at 1 MHz and fed
// in batches of `batch` ticks, and the online overhead in percent; the fastest of `repeat` runs each.
int RunOnlineBench(long long samples, int batch, int repeat);

}  // namespace bench
