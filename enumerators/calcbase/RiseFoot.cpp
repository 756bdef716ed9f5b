// The walk back from a peak to the foot of its rise.
#include "enumerators/calcbase/RiseFoot.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ZR::Enum::CalcBase {

namespace {

// Block k holds v[count - (k + 1) x width, count - k x width), its mean times the polarity; block 0 ends at the peak.
std::vector<double> BlockMeans(const float* v, int32_t count, int32_t width) {
  const int32_t blocks = count / width;
  std::vector<double> means(static_cast<size_t>(blocks));
  for (int32_t k = 0; k < blocks; ++k) {
    const float* const b = v + (count - (k + 1) * width);
    double sum = 0.0;  // double: a block's sum of floats
    for (int32_t i = 0; i < width; ++i) sum += b[i];
    means[static_cast<size_t>(k)] = sum / width;
  }
  return means;
}

// Four times the blocks' noise: the median absolute second difference, scaled to one block's standard deviation
// for Gaussian noise (a second difference has sqrt(6) of it; the median of |N(0, 1)| is 0.6745). A slope adds
// nothing to a second difference, so an earlier event's fall is not taken for noise. 0 with fewer than three blocks.
double Tolerance(const std::vector<double>& y) {
  if (y.size() < 3) return 0.0;
  std::vector<double> d(y.size() - 2);
  for (size_t k = 1; k + 1 < y.size(); ++k) d[k - 1] = std::fabs(y[k + 1] - 2.0 * y[k] + y[k - 1]);
  const auto middle = d.begin() + static_cast<std::ptrdiff_t>(d.size() / 2);
  std::nth_element(d.begin(), middle, d.end());
  return 4.0 * *middle / (0.6745 * std::sqrt(6.0));
}

// The walk's end: low the foot's block, end the block after the last the stretch may take; settled when it ended on
// a flat stretch at the low.
struct Walk {
  int32_t low = 0;
  int32_t end = 0;
  bool settled = false;
};

// A fall between lows slower than this share of the rise's fastest is the slope the event rode on (an earlier
// current's return, seen backwards), not its own rise: the rise has ended there, and the low moves no more.
constexpr double kTrendShare = 0.125;

// The walk of FindRiseFoot over the blocks y, seen from the peak's side, top the peak's value; it leaves the rise at
// a slow fall or after a pause only when keepToRise.
Walk WalkDownTheRise(const std::vector<double>& y, double top, double tolerance, int32_t flatBlocks,
                     bool keepToRise) {
  const int32_t blocks = static_cast<int32_t>(y.size());
  int32_t low = 0;    // the last block lower than the low before it by more than the tolerance
  int32_t since = 0;  // the block after which the walk has stayed within the tolerance of that low
  double steepest = 0.0;  // the fastest fall per block from one low to the next
  bool fastLow = true;  // the low was reached at that pace
  bool onTrend = false;
  for (int32_t k = 1; k < blocks; ++k) {
    const double yk = y[static_cast<size_t>(k)];
    const double ref = y[static_cast<size_t>(low)];
    if (yk < ref - tolerance) {
      const double fall = (ref - yk) / (k - low);
      // A low after a longer pause than the walk would end on had the blocks stayed in the band is no part of
      // the rise either (blocks above the band, the noise on an earlier event's return, restart that count).
      const bool paused = low > 0 && k - low > std::max(low, flatBlocks);
      // A slow fall just after a fast one is the block the rise began in, which holds only its first samples.
      const bool slow = fall < steepest * kTrendShare;
      onTrend = keepToRise && (onTrend || paused || (slow && (k > low + 1 || !fastLow)));
      if (!onTrend) {
        steepest = std::max(steepest, fall);
        fastLow = !slow;
        low = since = k;
        continue;
      }
    } else if (yk > top) {
      return {low, k, false};
    } else if (yk > ref + tolerance) {
      since = k;
      continue;
    }
    if (k - since >= std::max(low, flatBlocks) && top - ref > 2.0 * tolerance) return {low, k + 1, true};
  }
  return {low, blocks, false};
}

}  // namespace

RiseFoot FindRiseFoot(const float* v, int32_t count, double peak, const RiseFootRules& rules) {
  RiseFoot foot;
  // Fewer samples than a block: one block of them all.
  const int32_t width = std::min(std::max(rules.blockTicks, 1), count);
  if (width < 1) return foot;
  std::vector<double> y = BlockMeans(v, count, width);
  foot.polarity = peak >= y[0] ? 1.0 : -1.0;
  for (double& m : y) m *= foot.polarity;
  const double tolerance = Tolerance(y);
  const double top = foot.polarity * peak;
  // A walk that ends on a flat stretch has found the foot, however it got there (down a burst's steps too). One
  // that does not may have gone on down a slope the event rode on, to the bottom of an earlier current of the
  // other sign: then the foot is where the rise left that slope.
  Walk walk = WalkDownTheRise(y, top, tolerance, rules.flatBlocks, false);
  if (!walk.settled) walk = WalkDownTheRise(y, top, tolerance, rules.flatBlocks, true);
  const auto [low, end, settled] = walk;
  // The stretch: the blocks from the low on within the tolerance of it.
  const double ref = y[static_cast<size_t>(low)];
  double sum = 0.0;
  int32_t n = 0;
  int32_t farthest = low;
  for (int32_t k = low; k < end; ++k) {
    if (std::fabs(y[static_cast<size_t>(k)] - ref) > tolerance) continue;
    sum += y[static_cast<size_t>(k)];
    ++n;
    farthest = k;
  }
  double level = sum / n;
  if (!(level < top)) level = ref;
  foot.found = true;
  foot.level = foot.polarity * level;
  foot.first = count - (farthest + 1) * width;
  foot.last = count - low * width - 1;
  return foot;
}

}  // namespace ZR::Enum::CalcBase
