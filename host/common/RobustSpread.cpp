// The median and the median absolute deviation.
#include "host/common/RobustSpread.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace host {

namespace {

// The standard deviation of a normal distribution per median absolute deviation.
constexpr double kSdPerMad = 1.4826;

}  // namespace

double Median(std::vector<double>& x) {
  std::nth_element(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(x.size() / 2), x.end());
  return x[x.size() / 2];
}

double RobustSd(std::vector<double>& x) {
  const double centre = Median(x);
  for (double& v : x) v = std::fabs(v - centre);
  return kSdPerMad * Median(x);
}

}  // namespace host
