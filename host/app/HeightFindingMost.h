// The minimum height the hint lines advise: of the heights from the noise's reach up, each sqrt 2 times the last
// and typed as a user types them, the lowest at which the analysis finds the most.
#pragma once

#include "host/app/ChannelHeightText.h"

#include <cmath>
#include <cstdint>

namespace ondara_host {

struct HeightFound {
  double height = 0.0;  // 0 where no height finds any
  int32_t found = 0;
};

// count(height) is what the analysis finds at a typed height; the heights run from reach to below span.
template <typename Count>
HeightFound HeightFindingMost(double reach, double span, const Count& count) {
  HeightFound best;
  for (double h = reach; h < span; h *= std::sqrt(2.0)) {
    const double typed = TypedHeight(h);
    const int32_t found = count(typed);
    if (found > best.found) best = {typed, found};
  }
  return best;
}

}  // namespace ondara_host
