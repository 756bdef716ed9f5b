// The foot of a peak's rise: the knee from which the signal rose to the peak fastest, beyond the noise.
#include "enumerators/calcbase/RiseFoot.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "enumerators/calcbase/MiddleOf.h"

namespace ZR::Enum::CalcBase {

namespace {

// Block k holds v[count - (k + 1) x width, count - k x width), its mean; block 0 ends at the peak.
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
// it. Blocks whose samples all repeat one value say nothing of the noise: they are left out, and the blocks go on past
// them until as many say something (a blank held at one value); where the samples end first with most blocks held, the
// signal is noise-free. 0 for blocks of one sample.
double SampleNoise(const float* v, int32_t count, int32_t width) {
  const int32_t blocks = count / width;
  if (width < 2 || blocks < 1) return 0.0;
  uint64_t spreads[kNoiseBlocks];  // the variances' bits
  int32_t n = 0, held = 0;
  for (int32_t k = 0; k < blocks && n < kNoiseBlocks && (k < kNoiseBlocks || held > 0); ++k) {
    const float* const b = v + (count - (k + 1) * width);
    const double first = b[0];  // sums about the first sample: no cancellation on a large offset
    double sum = 0.0;
    double squares = 0.0;
    for (int32_t i = 0; i < width; ++i) {
      const double d = b[i] - first;
      sum += d;
      squares += d * d;
    }
    const double spread = std::max(squares - sum * sum / width, 0.0) / (width - 1);
    std::memcpy(&spreads[n], &spread, sizeof spread);
    n += spread > 0.0 ? 1 : 0;
    held += spread > 0.0 ? 0 : 1;
  }
  if (n <= held && n < kNoiseBlocks) return 0.0;
  const uint64_t bits = MiddleOfNonNegative(spreads, static_cast<size_t>(n));
  double middle;
  std::memcpy(&middle, &bits, sizeof middle);
  return std::sqrt(middle);
}

// The most differences a block's noise is measured from.
constexpr size_t kMostDifferences = 256;

// A block mean's noise: the median absolute third difference over lag blocks, scaled to one block's standard
// deviation for Gaussian noise (a third difference has sqrt(20) of it; the median of |N(0, 1)| is 0.6745). The lag
// spans a fixed time, longer than a low-passed noise's memory, so such noise is not taken for smaller than it is; a
// slope or a bend adds nothing to a third difference, so an event is not taken for noise, but a step does: a rise
// within the three lags a difference spans, as a slow rise lies at the longer lags. Where the blocks are too
// few for a dozen differences at that lag, it is shortened to give them (a rise in so short a span would make most of
// a few). A difference of exactly 0 (four blocks of one value) says nothing of the noise: such are left out, and the
// differences go on past them until as many say something (a blank held at one value: a recording blanked for much
// of the walk measured no noise and read its events from their tops); where the blocks end first with most of them 0,
// the signal is noise-free. 0 with fewer than four blocks.
double BlockNoise(const std::vector<double>& y, int32_t lag, size_t most) {
  const size_t blocks = y.size();
  if (blocks < 4) return 0.0;
  const size_t l = std::clamp(static_cast<size_t>(lag), size_t{1}, std::max(blocks / 12, size_t{1}));
  // Every other difference when there are many (neighbours share most of their blocks and tell little more), the most
  // nearest the peak at most (the median of 256 is within a tenth of the noise's, of 128 within an eighth), laid over
  // three times what one spans at least, so that the event's rise spoils a third of them at most, never their median.
  const size_t step = std::max<size_t>(blocks - 3 * l > 64 ? 2 : 1, (9 * l + most - 1) / most);
  uint32_t d[kMostDifferences];  // the differences' bits
  const size_t laid = std::min({(blocks - 3 * l + step - 1) / step, most, kMostDifferences});
  // Where some are 0, they go on past the blank until as many say something, or the blocks end.
  size_t n = 0, zeros = 0;
  for (size_t k = 0; k + 3 * l < blocks && n < laid && (k < step * laid || zeros > 0); k += step) {
    const auto f = static_cast<float>(std::fabs(y[k + 3 * l] - 3.0 * (y[k + 2 * l] - y[k + l]) - y[k]));
    std::memcpy(&d[n], &f, sizeof f);
    n += f > 0.0f;
    zeros += f > 0.0f ? 0 : 1;
  }
  if (n <= zeros && n < laid) return 0.0;
  const uint32_t bits = MiddleOfNonNegative(d, n);
  float middle;
  std::memcpy(&middle, &bits, sizeof middle);
  return middle / (0.6745 * std::sqrt(20.0));
}

// What the knee search goes by, seen from the peak's side: the blocks, the peak's value, the first block above it
// (an earlier event's fall; the blocks' end when none), what the noise may add to a drop from the peak and to a
// difference of two blocks.
struct Rise {
  const std::vector<double>& y;
  double top;  // the peak's value
  int32_t end;
  double lowest;  // the lowest block before end
  double allowance;
  double blockAllowance;
  double middle;  // the distance from the peak sample to block 0's middle, in blocks: (width + 1) / (2 width)
  double peakExcess;  // what the noise may lift the peak sample by above the top it stands on
  int32_t lag;
  int32_t topBlocks;  // the blocks of the top the peak stands on: no foot lies among them
  bool cutShort;      // the samples end at the longest stretch looked back over: a foot needs its course in them
  bool higherPeakBeyond;  // just before the samples lies an earlier event's peak above this one
  mutable std::vector<double> scaleNoise;  // a block's noise at lags of lag, 2 lag, 4 lag, ..., measured when asked
  mutable int32_t troughAsked = -1;        // the block TroughOfAReturn was last asked about,
  mutable bool troughOnAReturn = false;    // and its answer
  mutable std::vector<double> sums;        // sums[j]: the sum of the blocks before j, and moments[j] that of each
  mutable std::vector<double> moments;     // times its index: worked out when first asked (FallOver)
  mutable bool outran = false;  // the search stopped where samples cut short hold no course beyond a block
  // Where the fastest block that ended a rise lay in the bottom of a return: the course before that current fell
  // into it (+infinity when none did), the highest block within as long again as its fall took beyond where it fell
  // past half way (a rider's return onto a larger current's top, or an alternating burst's course before it).
  mutable double beforeReturn = std::numeric_limits<double>::infinity();
  mutable int32_t returnFell = -1;  // set by OnAReturn: the nearest block beyond k above half way, and the bottom
  mutable int32_t returnBottom = -1;
  mutable int32_t troughBottom = -1;  // the bottom of that current, the fastest block's return

  double at(int32_t k) const { return y[static_cast<size_t>(k)]; }

  // A block's noise over k blocks: at the longest lag measured that is not longer (noise that wanders, as 1/f noise
  // does, moves a level further over a longer time).
  double NoiseOver(int32_t k) const {
    size_t j = 0;
    for (int64_t l = 2 * static_cast<int64_t>(lag); l <= k && 12 * l <= static_cast<int64_t>(y.size()); l *= 2) {
      if (++j == scaleNoise.size())
        scaleNoise.push_back(std::max(BlockNoise(y, static_cast<int32_t>(l), 128), scaleNoise.front()));
    }
    return scaleNoise[j];
  }

  // The pace from the peak down to block k beyond the noise, per block from the peak sample to k's middle; <= 0 when
  // the drop is within the noise.
  double Pace(int32_t k) const {
    return (top - at(k) - peakExcess - 2.0 * NoiseOver(k)) / (k + middle);
  }

  // Beyond block k, up to block beyond (as many blocks again as the rise took, at least the lag, what there is of
  // them), the signal falls to its lowest at a slower pace than the rise came down to k, both over that span with the
  // noise and to that lowest block beyond the noise: k ends a rise, not a stretch of one slope.
  bool CourseBeyondIsSlower(int32_t k, int32_t lowest, int32_t beyond) const {
    const double pace = Pace(k);
    const double fall = at(k) - at(lowest);
    const double noise = 2.0 * std::sqrt(2.0) * NoiseOver(k);
    return pace > (fall + noise) / (beyond - k) && (lowest <= k || pace > (fall - noise) / (lowest - k));
  }

  // Block k lies in the trough of a current of the other sign whose return rose to the peak: within as long beyond k
  // as the rise took, the signal comes back half way up (k's level to the peak's), and it fell from there into the
  // trough's bottom (within the noise of its lowest block) no slower than it rose from there back to half way toward
  // the peak. Each of the two is known to a block (a step lies anywhere within the block it falls in), so the fall
  // may count one block more.
  bool OnAReturn(int32_t k) const {
    const double half = at(k) + 0.5 * (top - at(k));
    int32_t bottom = k;
    // The nearest block beyond k above half, within as long as the rise took (the first above the peak at the latest).
    const int32_t reach = std::min(end, 2 * k + 1);
    int32_t fell = k + 1;
    for (; fell < reach && !(at(fell) > half); ++fell)
      if (at(fell) < at(bottom)) bottom = fell;
    // Where the blocks end first, only an earlier event's peak above this one lies beyond them: a block within the
    // noise's lag of it lies in that event's return; a block farther from it, on the course the signal came back to.
    const bool pastTheBlocks = fell == static_cast<int32_t>(y.size());
    if (pastTheBlocks ? !higherPeakBeyond || k + lag < fell : fell == reach && reach < end) return false;
    returnFell = fell;
    returnBottom = bottom;
    const Dip dip = DipAt(k, bottom, fell, half);
    return dip.in <= dip.out + 1;
  }

  // How long the signal took, in blocks, to fall into bottom from fell, beyond it (to the first block within a block
  // difference's noise of the bottom's), and to come back out (from the last such block to the nearest block from k
  // toward the peak above half).
  struct Dip {
    int32_t in, out;
  };
  Dip DipAt(int32_t k, int32_t bottom, int32_t fell, double half) const {
    int32_t rose = k - 1;  // the nearest block toward the peak above half
    while (rose > 0 && !(at(rose) > half)) --rose;
    const double band = at(bottom) + blockAllowance;
    int32_t reached = fell - 1;  // the blocks the signal fell into the bottom at, and left it at
    while (reached > bottom && at(reached) > band) --reached;
    int32_t left = rose + 1;
    while (left < bottom && at(left) > band) ++left;
    return {fell - reached, left - rose};
  }

  // Where the signal turned from the return of the current of the other sign it rose out of to its own rise: of the
  // blocks between that current's bottom and the peak's block, the one farthest below the straight line joining the
  // two, by more than a difference of two blocks' noise (a return's course bulges above that line); 0 when none is.
  // The top the peak stands on is not passed over: where the noise the walk measured is swollen by the currents that
  // fill it, that top reaches down the rise.
  int32_t TurnFromReturn() const {
    int32_t turn = 0;
    double deepest = blockAllowance;
    for (int32_t k = 1; k < troughBottom; ++k) {
      const double below = at(0) + (at(troughBottom) - at(0)) * k / troughBottom - at(k);
      if (below > deepest) {
        deepest = below;
        turn = k;
      }
    }
    // There the signal had come back up from that bottom, and rose to the peak faster than it had come back.
    const double returned = at(turn) - at(troughBottom);
    if (turn > 0 && !(returned > 0.0 && (top - at(turn)) / (turn + middle) > returned / (troughBottom - turn)))
      return 0;
    return turn;
  }

  // The peak came back to the earlier event's peak just before the samples: that earlier peak stands above half way
  // from knee k to this one and no lower than this one by more than the noise allows a drop from the peak; the signal
  // fell from it into k at once (every block from the samples' start to k lies below half way and no lower than k's
  // by more than a block difference's noise: k is the trough's bottom, within the noise's lag of that start) and came
  // back out more slowly than it fell in (from the last block within that noise of k's to the first above half way,
  // against from the samples' start to the first within it): the return of a current of the other sign that rode on
  // that peak, no rise of its own.
  bool CameBackTo(int32_t k, double earlier) const {
    const auto blocks = static_cast<int32_t>(y.size());
    if (k <= 0 || k + lag < blocks - 1 || !(top - earlier <= allowance)) return false;
    const double half = at(k) + 0.5 * (top - at(k));
    if (!(earlier > half)) return false;
    for (int32_t j = k + 1; j < blocks; ++j)
      if (at(j) > half || at(j) < at(k) - blockAllowance) return false;
    const Dip dip = DipAt(k, k, blocks, half);
    return dip.in < dip.out;
  }

  // The lowest block of (k, last], k when there is none.
  int32_t LowestOf(int32_t k, int32_t last) const {
    int32_t low = k;
    for (int32_t j = k + 1; j <= last; ++j)
      if (at(j) < at(low)) low = j;
    return low;
  }

  // The fall per block, seen from the peak, of the least-squares line through blocks [a, b], b > a.
  double FallOver(int32_t a, int32_t b) const {
    if (sums.empty()) {
      sums.assign(y.size() + 1, 0.0);
      moments.assign(y.size() + 1, 0.0);
      for (size_t j = 0; j < y.size(); ++j) {
        sums[j + 1] = sums[j] + y[j];
        moments[j + 1] = moments[j] + static_cast<double>(j) * y[j];
      }
    }
    const double n = b - a + 1.0;
    const double sum = sums[static_cast<size_t>(b) + 1] - sums[static_cast<size_t>(a)];
    const double moment = moments[static_cast<size_t>(b) + 1] - moments[static_cast<size_t>(a)] - a * sum;
    return -(moment - 0.5 * (n - 1.0) * sum) / (n * (n * n - 1.0) / 12.0);
  }

  // The course beyond block k, over m blocks, still rises to k beyond the noise, and faster than the course as far
  // again beyond it: k is a shoulder on a longer rise. Not where the lowest block over both lies in the trough of a
  // current of the other sign whose return rose to the peak (its return and the fall into it make such a bend).
  bool BentBeyond(int32_t k, int32_t m) const {
    const int32_t beyond = k + m, further = k + 2 * m;
    if (m < 3 || further >= end) return false;
    // What the noise allows a line's slope over m blocks: twice the SD of a difference of two such slopes.
    const double allowed =
        2.0 * std::sqrt(2.0) * NoiseOver(m) * std::sqrt(12.0 / (m * (static_cast<double>(m) * m - 1.0)));
    const double near = FallOver(k + 1, beyond);
    return near > allowed && near - FallOver(beyond, further) > allowed && !TroughOfAReturn(LowestOf(k, further));
  }

  // CourseBeyondIsSlower over the course alone: where the lowest block beyond k lies in the trough of an earlier
  // current of the other sign whose return rose toward the peak, the course ends a block short of it (beyond it
  // lies that current, and the block before it may hold the step into it).
  bool CourseIsSlower(int32_t k, int32_t lowest, int32_t beyond) const {
    if (CourseBeyondIsSlower(k, lowest, beyond)) return true;
    if (lowest <= k + 2 || !TroughOfAReturn(lowest)) return false;
    return CourseBeyondIsSlower(k, LowestOf(k, lowest - 2), lowest - 2);
  }

  // OnAReturn(k), worked out once for the block asked last: the blocks beyond consecutive k share their lowest.
  bool TroughOfAReturn(int32_t k) const {
    if (k != troughAsked) {
      troughAsked = k;
      troughOnAReturn = OnAReturn(k);
    }
    return troughOnAReturn;
  }

  // The knee: of the blocks that end a rise, the one the signal came down to fastest from the top beyond the noise,
  // unless it is the bottom of a return; then the next fastest. 0 (the peak's own block) when there is none.
  int32_t Knee() const {
    std::vector<std::pair<double, int32_t>> knees;  // a heap, the fastest on top
    std::vector<int32_t> lows(static_cast<size_t>(end));  // lows[head, tail): the blocks of (k, beyond] each lower
    size_t head = 0, tail = 0;                               // than every later one, the lowest first
    int32_t added = 1;
    double nearer = at(0);  // the lowest block nearer the top than k
    for (int32_t k = 1; k < topBlocks && k < end; ++k) nearer = std::min(nearer, at(k));
    // No block beyond k can give a steeper pace than the lowest block of all would at k: the search stops there
    // while a knee that fast is in hand, and goes on from there if that one turns out the bottom of a return.
    const auto fastestFrom = [&](int32_t k) { return (top - lowest - peakExcess) / (k + middle); };
    int32_t k = std::max(topBlocks, 1);
    bool searched = false;  // no block is left that could be a knee
    for (;;) {
      for (; !searched && k + 1 < end; nearer = std::min(nearer, at(k)), ++k) {
        if (fastestFrom(k) < (knees.empty() ? 0.0 : knees.front().first)) break;
        if (cutShort && end == static_cast<int32_t>(y.size()) && k + std::max(k, lag) > end - 1) {
          searched = true;
          outran = true;
          break;
        }
        const int32_t beyond = std::min(k + std::max(k, lag), end - 1);
        for (; added <= beyond; ++added) {
          while (tail > head && at(lows[tail - 1]) >= at(added)) --tail;
          lows[tail++] = added;
        }
        while (tail > head && lows[head] <= k) ++head;
        const double pace = Pace(k);
        // A foot lies below the rise from it: no block nearer the top lies lower by more than the noise.
        if (pace > 0.0 && at(k) <= nearer + blockAllowance &&
            CourseIsSlower(k, tail > head ? lows[head] : k, beyond)) {
          knees.emplace_back(pace, k);
          std::push_heap(knees.begin(), knees.end());
        }
      }
      if (k + 1 >= end) searched = true;
      if (knees.empty()) return 0;
      // The fastest in hand, unless a block not yet searched could be faster.
      if (!searched && fastestFrom(k) >= knees.front().first) continue;
      std::pop_heap(knees.begin(), knees.end());
      const int32_t knee = knees.back().second;
      knees.pop_back();
      if (!OnAReturn(knee)) return knee;
      if (std::isinf(beforeReturn)) {
        troughBottom = returnBottom;
        beforeReturn = at(std::min(returnFell, static_cast<int32_t>(y.size()) - 1));  // the peak beyond is no course
        const int32_t last = std::min(static_cast<int32_t>(y.size()) - 1, 2 * returnFell - returnBottom);
        for (int32_t j = returnFell + 1; j <= last; ++j) beforeReturn = std::max(beforeReturn, at(j));
      }
    }
  }
};

}  // namespace

RiseFoot FindRiseFoot(const float* v, int32_t count, double peak, const RiseFootRules& rules,
                      const RiseFootNoise& known) {
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
  const double top = foot.polarity * peak;
  const int32_t blocks = static_cast<int32_t>(y.size());
  for (double& m : y) m *= foot.polarity;
  // The first block above the peak (an earlier event's fall; the blocks' end when none), and the lowest before it.
  int32_t end = 1;
  while (end < blocks && !(y[static_cast<size_t>(end)] > top)) ++end;
  double lows[4] = {y[0], y[0], y[0], y[0]};  // four at a time: the comparisons need not wait on one another
  int32_t k = 1;
  for (; k + 4 <= end; k += 4)
    for (int32_t j = 0; j < 4; ++j) lows[j] = std::min(lows[j], y[static_cast<size_t>(k + j)]);
  for (; k < end; ++k) lows[0] = std::min(lows[0], y[static_cast<size_t>(k)]);
  const double lowest = std::min(std::min(lows[0], lows[1]), std::min(lows[2], lows[3]));
  // The noise, measured over these blocks. Where they are too few for a dozen differences at the full lag, a shorter
  // lag misjudges it (an event's own curvature swells it; noise with a longer memory than that lag moves little
  // within it): the last walk long enough measured it at its own time scale, and that measure stands.
  const int32_t lag = std::max(rules.lagBlocks, 1);
  const bool fullLag = blocks >= 12 * lag;
  double measured = BlockNoise(y, rules.lagBlocks, 256);
  double within = SampleNoise(v, count, width);
  if (fullLag) {
    foot.noise = {measured, within};
  } else if (known.block > 0.0) {
    measured = known.block;
    within = known.within;
  }
  // A sample's noise is no less than its rounding to single precision.
  const double blockNoise = std::max(measured, std::fabs(peak) * FLT_EPSILON);
  const double sampleNoise = std::sqrt(within * within + blockNoise * blockNoise);
  // The top the peak stands on: the blocks from the peak's on while each lies within the noise's reach below the
  // highest of them so far (the highest of m block means lies sqrt(2 ln m) of a block's SD above their mean, and a
  // difference of two blocks within 2 sqrt(2) of it), whatever the peak sample itself stands above them. The peak
  // sample is the largest of the top's samples: the largest of n normal samples lies about sqrt(2 ln n) SDs above
  // their mean.
  int32_t topBlocks = 1;
  for (double highest = y[0]; topBlocks < end; ++topBlocks) {
    const double reach = std::sqrt(2.0 * std::log(topBlocks + 1.0)) + 2.0 * std::sqrt(2.0);
    if (!(y[static_cast<size_t>(topBlocks)] > highest - reach * blockNoise)) break;
    highest = std::max(highest, y[static_cast<size_t>(topBlocks)]);
  }
  const double peakExcess = std::sqrt(2.0 * std::log(std::max(topBlocks * width, 2))) * sampleNoise;
  Rise rise{y,
            top,
            end,
            lowest,
            peakExcess + 2.0 * blockNoise,
            2.0 * std::sqrt(2.0) * blockNoise,
            (width + 1.0) / (2.0 * width),
            peakExcess,
            lag,
            topBlocks,
            rules.cutShort,
            foot.polarity * rules.earlierPeak > top,
            {blockNoise},
            -1,
            false,
            {},
            {},
            false,
            std::numeric_limits<double>::infinity()};
  int32_t knee = rise.Knee();
  // A current that rose out of the trough of one of the other sign above the course that current fell from, with no
  // knee of its own: it rose from where it left that current's return.
  if (knee == 0 && top > rise.beforeReturn) knee = rise.TurnFromReturn();
  // Past the knee the rise may go on: within a few blocks (the knee's block still holds part of it), straight (the
  // signal beyond falls nearer the pace the rise came down to the knee at than a flat course), or bent (the knee is a
  // shoulder: the course beyond still rises to it, faster than the course as far again beyond). The foot is the
  // first block past the knee whose fall to the next exceeds the course's fall per block beyond (over as long as the
  // rise, at least the noise's lag; none where the course rises) by no more than the noise, where that course,
  // beyond the noise, falls at no more than half the rise's pace, and where it bends no more than the noise allows;
  // at the latest, the block before the bottom of a current of the other sign whose return rose to the peak (a tail
  // or a trough there makes the course look steep).
  const int32_t span = std::max(knee, lag);
  const double risePace = knee > 0 ? rise.Pace(knee) : 0.0;
  while (knee > 0 && knee + 1 < end) {
    const int32_t beyond = std::min(knee + 1 + span, end - 1);
    double course = 0.0;
    if (beyond > knee + 1) course = (rise.at(knee + 1) - rise.at(beyond)) / (beyond - knee - 1);
    const bool falling = rise.at(knee) - rise.at(knee + 1) > std::max(course, 0.0) + rise.blockAllowance;
    const bool straight = beyond > knee + 1 && course - rise.blockAllowance / (beyond - knee - 1) > 0.5 * risePace;
    if ((!falling && !straight && !rise.BentBeyond(knee, beyond - knee - 1)) || rise.TroughOfAReturn(knee + 1)) break;
    ++knee;
  }
  // The level: the course's at the foot, over the blocks from the foot on, as many as the rise took (at least the
  // noise's lag), while they stay within what the noise allows of the foot's: their mean, or where their least-squares
  // line moves over them by more than a block difference's noise (a course with a slope of its own), that line's value
  // at the foot.
  const double ref = y[static_cast<size_t>(knee)];
  const int32_t last = std::min(end, knee + std::max(knee, lag));
  double sum = 0.0;
  double moment = 0.0;  // of the blocks' distances from the foot
  int32_t n = 0;
  for (int32_t k = knee; k < last && std::fabs(y[static_cast<size_t>(k)] - ref) <= rise.allowance; ++k, ++n) {
    sum += y[static_cast<size_t>(k)];
    moment += (k - knee) * y[static_cast<size_t>(k)];
  }
  const int32_t farthest = knee + n - 1;
  double level = sum / n;
  if (n > 2) {
    // Slope of the line through (j, y[knee + j]), j = 0 .. n - 1.
    const double middle = 0.5 * (n - 1);
    const double slope = (moment - middle * sum) / (n * (n * n - 1.0) / 12.0);
    if (std::fabs(slope) * (n - 1) > rise.blockAllowance) level -= slope * middle;
  }
  if (!(level < top)) level = ref;
  foot.withinNoise = knee == 0 && !rise.outran &&
                     (std::isinf(rise.beforeReturn) ? !(top - level > rise.allowance)
                                                    : !(top > rise.beforeReturn));
  foot.cameBack = !foot.withinNoise && rise.CameBackTo(knee, foot.polarity * rules.earlierPeak);
  foot.found = true;
  foot.level = foot.polarity * level;
  foot.first = count - (farthest + 1) * width;
  foot.last = count - knee * width - 1;
  return foot;
}

}  // namespace ZR::Enum::CalcBase
