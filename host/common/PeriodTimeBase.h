// The time base of a channel sampled at an even period.
#pragma once

#include "hostapi/SampleSource.h"

namespace host {

// Seconds per tick as a fraction: 1 / rate when the rate is a whole number of hertz (to within 1e-9
// of it), else the period in nanoseconds in lowest terms; 1 / 1 for a period that is not positive or
// is longer than 1e6 s. The offset is 0.
TimeBase PeriodTimeBase(double tickPeriod) noexcept;

}  // namespace host
