// The data's resolution: the smallest step a channel's samples take.
#pragma once

#include <cstdint>

namespace host {

// The quantum of samples[0, count): the smallest nonzero difference between neighbouring finite samples, where at
// least 5 % of the nonzero differences (and two) are that step to within 1 % (decimals written in a file and read
// as floats are not exact); 0 for samples that take any value, whose smallest step is a one-off that says nothing
// of a resolution (one odd sample before a flat start), and for samples that never move. Samples written with a
// few decimals, or read from a converter, are quantised so. The resolution's standard deviation is that of a
// uniform quantisation error, step / sqrt(12): what tied samples, most of them equal, hide of the noise.
double ResolutionStep(const float* samples, int32_t count);

}  // namespace host
