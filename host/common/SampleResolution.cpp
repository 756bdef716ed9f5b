// The smallest step between neighbouring samples.
#include "host/common/SampleResolution.h"

#include <algorithm>
#include <cmath>

namespace host {

double ResolutionStep(const float* samples, int32_t count) {
  double smallest = HUGE_VAL;
  int32_t steps = 0;
  for (int32_t i = 1; i < count; ++i) {
    const double step = std::fabs(static_cast<double>(samples[i]) - samples[i - 1]);
    if (!(step > 0.0 && step < HUGE_VAL)) continue;  // tied, or not finite
    smallest = std::min(smallest, step);
    ++steps;
  }
  int32_t near = 0;
  for (int32_t i = 1; i < count; ++i) {
    const double step = std::fabs(static_cast<double>(samples[i]) - samples[i - 1]);
    near += step > 0.0 && step <= 1.01 * smallest ? 1 : 0;
  }
  return near >= 2 && near * 20 >= steps ? smallest : 0.0;
}

}  // namespace host
