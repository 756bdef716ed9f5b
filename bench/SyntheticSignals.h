// The synthetic signals the benchmark runs over when no recording is given, one record at 1 kHz each.
#pragma once

#include <cstdint>

#include "host/data/RecordingReader.h"

namespace bench {

// "cardiac" (the self-checks' cardiac signal), "sine" (period 630 samples, amplitude 1), "noisy-sine" (the
// sine plus normal noise of standard deviation 0.01 from a fixed seed) or "square" (period 630 samples,
// levels -1 and 1) over count samples; false for another name.
bool IsSyntheticSignal(const char* name);
host::Recording SyntheticRecording(const char* name, int32_t count);

// The names above, separated by "|", for the usage text.
const char* SyntheticSignalNames();

}  // namespace bench
