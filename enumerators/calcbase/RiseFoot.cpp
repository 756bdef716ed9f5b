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

// The blocks nearest the peak that a single sample's noise is measured over: enough for a median.
constexpr int32_t kNoiseBlocks = 64;

// A single sample's noise as the blocks nearest the peak show it: the square root of the median of their samples'
// variances about their means, each made unbiased (times width / (width - 1)). It is the noise a peak sample carries
// beyond the blocks' for white noise; low-passed noise varies little within a block, whose mean then carries most of
// it. 0 for blocks of one sample.
double SampleNoise(const float* v, int32_t count, int32_t width) {
  const int32_t blocks = std::min(count / width, kNoiseBlocks);
  if (width < 2 || blocks < 1) return 0.0;
  std::vector<double> spreads(static_cast<size_t>(blocks));
  for (int32_t k = 0; k < blocks; ++k) {
    const float* const b = v + (count - (k + 1) * width);
    const double first = b[0];  // sums about the first sample: no cancellation on a large offset
    double sum = 0.0;
    double squares = 0.0;
    for (int32_t i = 0; i < width; ++i) {
      const double d = b[i] - first;
      sum += d;
      squares += d * d;
    }
    spreads[static_cast<size_t>(k)] = std::max(squares - sum * sum / width, 0.0) / (width - 1);
  }
  const auto middle = spreads.begin() + blocks / 2;
  std::nth_element(spreads.begin(), middle, spreads.end());
  return std::sqrt(*middle);
}

// Four times the noise of the nearest blocks to the peak: the median absolute third difference over lag blocks,
// scaled to one block's standard deviation for Gaussian noise (a third difference has sqrt(20) of it; the median of
// |N(0, 1)| is 0.6745). The lag spans a fixed time, longer than a low-passed noise's memory, so such noise is not
// taken for smaller than it is; a slope or a bend adds nothing to a third difference, so an earlier event's fall is
// not taken for noise. 0 with too few blocks.
double Tolerance(const std::vector<double>& y, int32_t lag, int32_t nearest) {
  const size_t l = static_cast<size_t>(std::max(lag, 1));
  const size_t blocks = std::min(y.size(), static_cast<size_t>(std::max(nearest, 1)));
  if (blocks < 3 * l + 1) return 0.0;
  // Every other difference: neighbours share most of their blocks and tell little more, and the median of half as
  // many costs half. Floats: half the memory to select in.
  std::vector<float> d((blocks - 3 * l + 1) / 2);
  for (size_t i = 0; i < d.size(); ++i) {
    const size_t k = 2 * i;
    d[i] = static_cast<float>(std::fabs(y[k + 3 * l] - 3.0 * (y[k + 2 * l] - y[k + l]) - y[k]));
  }
  const auto middle = d.begin() + static_cast<std::ptrdiff_t>(d.size() / 2);
  std::nth_element(d.begin(), middle, d.end());
  return 4.0 * *middle / (0.6745 * std::sqrt(20.0));
}

// The walk's end: low the foot's block, end the block after the last the stretch may take; settled when it ended on
// a flat stretch at the low, onCourse when the rise left a slope the event rode on there (its level is then the
// low block's own, the course where the rise began).
struct Walk {
  int32_t low = 0;
  int32_t end = 0;
  bool settled = false;
  bool onCourse = false;
};

// A fall between lows slower than this share of the rise's fastest is the slope the event rode on (an earlier
// current's return, seen backwards), not its own rise: the rise has ended there, and the low moves no more.
constexpr double kTrendShare = 0.125;
// A low at which the mean pace of the rise from the peak's block is this many times the pace of the slope beyond it,
// down to the walk's last low, is where a rise began on that slope.
constexpr double kCourseContrast = 3.0;

// Of the lows a walk went through down a slope (lows[0] the peak's block), the one where the rise left it: the
// greatest contrast between the pace from the peak's block down to a low and the pace from that low to block last
// (over more blocks than the rise), if any reaches kCourseContrast and rises above that slope by more than two
// tolerances; else the peak's block (the peak rose from the slope within it) when peakBlockFoot,
// else the last low.
int32_t RiseOnCourse(const std::vector<double>& y, const std::vector<int32_t>& lows, int32_t last, double tolerance,
                     bool peakBlockFoot) {
  int32_t best = peakBlockFoot ? 0 : last;
  double bestContrast = kCourseContrast;
  for (size_t i = 1; i + 1 < lows.size(); ++i) {
    const int32_t k = lows[i];
    if (last - k <= k) break;  // a slope ridden on lasts longer than the rise from it
    const double rise = (y[0] - y[static_cast<size_t>(k)]) / k;
    const double beyond = (y[static_cast<size_t>(k)] - y[static_cast<size_t>(last)]) / (last - k);
    // The rise stands above the slope's course by more than the noise: a noise peak on a slope does not.
    if (rise > bestContrast * beyond && (rise - beyond) * k > 2.0 * tolerance) {
      bestContrast = beyond > 0.0 ? rise / beyond : INFINITY;
      best = k;
    }
  }
  return best;
}

// What the walk of FindRiseFoot goes by, seen from the peak's side: the peak's value, the blocks' noise tolerance,
// the flat stretch and longest rise in blocks, and the samples the blocks were made of, for how far above a low the
// peak must lie for the low to have left the top (the peak sample carries a single sample's noise), measured when
// first asked for.
struct WalkRules {
  double top = 0.0;
  double tolerance = 0.0;
  int32_t flatBlocks = 1;
  int32_t riseBlocks = 1;
  const float* v = nullptr;
  int32_t count = 0;
  int32_t width = 1;
  mutable double peakBand = -1.0;  // -1 until measured

  // The peak sample, the extreme of the noise about the top, may lie three of a sample's noise above it.
  double PeakBand() const {
    if (peakBand < 0.0) peakBand = 2.0 * tolerance + 3.0 * SampleNoise(v, count, width);
    return peakBand;
  }
};

// The low ref has left the event's top, so that a flat stretch or a slow fall there is no part of the top: it lies
// more than two tolerances below the highest block between it and the peak, or below the peak by more than the
// peak sample's own noise may add to that.
bool LeftTheTop(double crest, double ref, const WalkRules& r) {
  if (crest - ref > 2.0 * r.tolerance) return true;
  return r.top - ref > 2.0 * r.tolerance && r.top - ref > r.PeakBand();  // the band is never below 2 tolerances
}

// The fastest rise per block from block low to a block after it before end (going back in time) that stands above
// it by more than band, 0 when none does.
double Steepest(const std::vector<double>& y, int32_t low, int32_t end, double band) {
  double steepest = 0.0;
  for (int32_t j = low + 1; j < end; ++j) {
    const double rise = y[static_cast<size_t>(j)] - y[static_cast<size_t>(low)];
    if (rise > band) steepest = std::max(steepest, rise / (j - low));
  }
  return steepest;
}

// The low lies at the extreme of a current of the other sign, whose onset beyond it (going back, before end) rises
// more than three times as fast as the walk came down from the peak's block: the walk was on that current's return.
bool OnAReturn(const std::vector<double>& y, int32_t low, int32_t end, const WalkRules& r) {
  if (low < 1) return false;
  const double pace = (y[0] - y[static_cast<size_t>(low)]) / low;
  return Steepest(y, low, std::min(low + r.flatBlocks, end), 2.0 * r.tolerance) > kCourseContrast * pace;
}

// The rise came down to block low at three times or more the pace of the slope beyond it (over as many blocks as the
// rise, at least the flat stretch): a bend where the rise began, not a bend in the slope itself.
bool RiseBeganAt(const std::vector<double>& y, int32_t low, const WalkRules& r) {
  const int32_t last = static_cast<int32_t>(y.size()) - 1;
  const int32_t beyond = std::min(low + std::max(low, r.flatBlocks), last);
  if (low < 1 || beyond <= low) return true;
  const double rise = (y[0] - y[static_cast<size_t>(low)]) / low;
  return rise > kCourseContrast * (y[static_cast<size_t>(low)] - y[static_cast<size_t>(beyond)]) / (beyond - low);
}

// The walk from the peak's block down to block low ran as fast near the peak (over the flat stretch) as half its mean
// pace or more: the peak stands on a slope that was falling (seen backwards) at the peak, not on a top of its own.
bool NoTopAtThePeak(const std::vector<double>& y, int32_t low, const WalkRules& r) {
  const int32_t near = std::min(r.flatBlocks, low);
  if (near < 1) return true;
  return 2.0 * (y[0] - y[static_cast<size_t>(near)]) / near >= (y[0] - y[static_cast<size_t>(low)]) / low;
}

// The end of a walk at a foot on a course: the course's level in that block; or, when the peak rose from the course
// within its own block (a noise peak), the blocks near it within the tolerance of that block, over the flat stretch.
Walk CourseFoot(int32_t foot, int32_t flatBlocks) {
  if (foot == 0) return {0, flatBlocks, false, false};
  return {foot, foot + 1, false, true};
}

// Beyond a flat stretch ending at block k, within as many blocks again (at least the flat stretch), the signal falls
// more than two tolerances below ref: the stretch was the top of a slow rise, not where a peak of the noise stood.
bool RisesOnBeyond(const std::vector<double>& y, int32_t k, double ref, const WalkRules& r) {
  const int32_t end = std::min(static_cast<int32_t>(y.size()), k + 1 + 4 * std::max(k, r.flatBlocks));
  for (int32_t j = k + 1; j < end; ++j)
    if (y[static_cast<size_t>(j)] < ref - 2.0 * r.tolerance) return true;
  return false;
}

// The walk of FindRiseFoot over the blocks y; it leaves the rise at a slow fall, after a pause or beyond riseBlocks
// only when keepToRise.
Walk WalkDownTheRise(const std::vector<double>& y, const WalkRules& r, bool keepToRise) {
  const int32_t blocks = static_cast<int32_t>(y.size());
  int32_t low = 0;    // the last block lower than the low before it by more than the tolerance
  double crest = y[0];  // the highest block from the peak to the low
  int32_t since = 0;  // the block after which the walk has stayed within the tolerance of that low
  double steepest = 0.0;  // the fastest fall per block from one low to the next
  bool fastLow = true;  // the low was reached at that pace
  std::vector<int32_t> lows;  // kept only when keepToRise
  if (keepToRise) lows.push_back(0);
  int32_t end = blocks;
  for (int32_t k = 1; k < blocks; ++k) {
    const double yk = y[static_cast<size_t>(k)];
    const double ref = y[static_cast<size_t>(low)];
    if (yk < ref - r.tolerance) {
      const double fall = (ref - yk) / (k - low);
      // A low after a longer pause than the walk would end on had the blocks stayed in the band is no part of
      // the rise either (blocks above the band, the noise on an earlier event's return, restart that count).
      const bool paused = low > 0 && k - low > std::max(low, r.flatBlocks) && LeftTheTop(crest, ref, r);
      // A slow fall just after a fast one is the block the rise began in, which holds only its first samples.
      const bool slow = fall < steepest * kTrendShare && LeftTheTop(crest, ref, r);
      if (keepToRise && (paused || (slow && (k > low + 1 || !fastLow))) && RiseBeganAt(y, low, r)) {
        if (!OnAReturn(y, low, std::min(k + 1, blocks), r)) return {low, low + 1, false, true};
        return CourseFoot(RiseOnCourse(y, lows, low, r.tolerance, true), r.flatBlocks);
      }
      // A fall on and on past the longest rise, already under way at the peak, is a slope the peak rode on (a
      // current's slow return, seen backwards): the rise began where the walk's pace dropped to it, or in the peak's
      // own block. A slow event's rise starts from its flat top.
      if (keepToRise && k > r.riseBlocks && NoTopAtThePeak(y, low, r)) {
        return CourseFoot(RiseOnCourse(y, lows, k, r.tolerance, true), r.flatBlocks);
      }
      steepest = std::max(steepest, fall);
      fastLow = !slow;
      for (int32_t j = low + 1; j <= k; ++j) crest = std::max(crest, y[static_cast<size_t>(j)]);
      low = since = k;
      if (keepToRise) lows.push_back(low);
      continue;
    }
    if (yk > r.top) {
      end = k;
      break;
    }
    if (yk > ref + r.tolerance) {
      since = k;
      continue;
    }
    if (k - since >= std::max(low, r.flatBlocks) && (LeftTheTop(crest, ref, r) || !RisesOnBeyond(y, k, ref, r))) {
      return {low, k + 1, true, false};
    }
  }
  // The walk ended at a rise seen backwards (an earlier event's fall) or at the window's start. Down a slope to the
  // extreme of a current of the other sign, the rise began where the pace dropped to that slope's, or in the peak's
  // own block when the walk was on that current's return all along.
  if (keepToRise && low > 0) {
    const int32_t foot = RiseOnCourse(y, lows, low, r.tolerance, OnAReturn(y, low, std::min(end + 1, blocks), r));
    if (foot != low) return CourseFoot(foot, r.flatBlocks);
  }
  return {low, end, false, false};
}

}  // namespace

RiseFoot FindRiseFoot(const float* v, int32_t count, double peak, const RiseFootRules& rules) {
  RiseFoot foot;
  // Fewer samples than a block: one block of them all.
  const int32_t width = std::min(std::max(rules.blockTicks, 1), count);
  if (width < 1) return foot;
  std::vector<double> y = BlockMeans(v, count, width);
  // The peak's side: that of the nearest block that differs from it, so that a tie with the block before it takes
  // the same side turned over (none differs: upward).
  for (const double m : y) {
    if (m == peak) continue;
    foot.polarity = peak > m ? 1.0 : -1.0;
    break;
  }
  for (double& m : y) m *= foot.polarity;
  const double tolerance = Tolerance(y, rules.lagBlocks, rules.noiseBlocks);
  const double top = foot.polarity * peak;
  const WalkRules walkRules{top, tolerance, std::max(rules.flatBlocks, 1), std::max(rules.riseBlocks, 1), v, count, width};
  // A walk that ends on a flat stretch has found the foot, however it got there (down a burst's steps too). One
  // that does not may have gone on down a slope the event rode on, to the bottom of an earlier current of the
  // other sign: then the foot is where the rise left that slope.
  Walk walk = WalkDownTheRise(y, walkRules, false);
  if (!walk.settled) walk = WalkDownTheRise(y, walkRules, true);
  const auto [low, end, settled, onCourse] = walk;
  // The stretch: the blocks from the low on within the tolerance of it.
  const double ref = y[static_cast<size_t>(low)];
  double sum = 0.0;
  int32_t n = 0;
  int32_t farthest = low;
  for (int32_t k = low; k < std::min(end, static_cast<int32_t>(y.size())); ++k) {
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
