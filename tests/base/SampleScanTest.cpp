#include "base/SampleScan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {

uint32_t Bits(float x) {
  uint32_t b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

// Samples on a coarse grid (so that equal values, both zeros, NaN and infinities come often), in runs of every
// length around the SSE width and the chunk of 64.
std::vector<float> RandomSamples(std::mt19937& rng, int32_t n) {
  const float specials[] = {0.0f, -0.0f, std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()};
  std::uniform_int_distribution<int> level(-6, 6);
  std::uniform_int_distribution<int> pick(0, 40);
  std::vector<float> v(static_cast<size_t>(n));
  for (float& x : v) {
    const int k = pick(rng);
    x = k < 5 ? specials[k] : static_cast<float>(level(rng)) * 0.25f;
  }
  return v;
}

struct Case {
  std::vector<float> v;
  int32_t begin, end;
  double scale, level;
};

std::vector<Case> RandomCases() {
  std::mt19937 rng(12345);
  std::vector<Case> cases;
  const double scales[] = {1.0, -1.0, 0.7};
  const double levels[] = {0.0, 0.5, -0.75, std::numeric_limits<double>::quiet_NaN(), -1e300};
  for (int32_t n : {0, 1, 3, 4, 5, 7, 8, 9, 63, 64, 65, 67, 130, 300}) {
    for (int rep = 0; rep < 12; ++rep) {
      std::uniform_int_distribution<int32_t> cut(0, n);
      int32_t a = cut(rng), b = cut(rng);
      if (a > b) std::swap(a, b);
      cases.push_back({RandomSamples(rng, n), a, b, scales[rep % 3], levels[rep % 5]});
    }
  }
  return cases;
}

template <SampleScan::Test kTest, class Plain>
void ExpectFindsLikeLoop(Plain plain, const char* name) {
  for (const Case& c : RandomCases()) {
    int32_t first = c.end, last = -1;
    for (int32_t i = c.begin; i < c.end; ++i) {
      if (!plain(c.scale * static_cast<double>(c.v[i]), c.level)) continue;
      if (first == c.end) first = i;
      last = i;
    }
    EXPECT_EQ(SampleScan::FindFirst<kTest>(c.v.data(), c.begin, c.end, c.scale, c.level), first)
      << name << " n " << c.v.size() << " [" << c.begin << ", " << c.end << ")";
    EXPECT_EQ(SampleScan::FindLast<kTest>(c.v.data(), c.begin, c.end, c.scale, c.level), last)
      << name << " n " << c.v.size() << " [" << c.begin << ", " << c.end << ")";
  }
}

TEST(SampleScan, FindFirstAndLastMatchPlainLoops) {
  using SampleScan::Test;
  ExpectFindsLikeLoop<Test::Above>([](double x, double l) { return x > l; }, "above");
  ExpectFindsLikeLoop<Test::Below>([](double x, double l) { return x < l; }, "below");
  ExpectFindsLikeLoop<Test::AtOrBelow>([](double x, double l) { return x <= l; }, "at or below");
  ExpectFindsLikeLoop<Test::NotBelow>([](double x, double l) { return !(x < l); }, "not below");
}

// The largest-value searches answer where the plain loop last updated, with the same signed zero and NaN rules.
TEST(SampleScan, LargestAndExtremesMatchPlainLoops) {
  for (const Case& c : RandomCases()) {
    const float* v = c.v.data();
    double best = c.level;
    int32_t at = -1;
    const float offset = static_cast<float>(c.scale) - 1.0f;
    float deviation = static_cast<float>(c.level), dev = deviation;
    int32_t devAt = -1;
    for (int32_t i = c.begin; i < c.end; ++i) {
      if (c.scale * static_cast<double>(v[i]) > best) best = c.scale * static_cast<double>(v[i]), at = i;
      const float d = v[i] - offset;
      if (std::fabs(d) > std::fabs(dev)) dev = d, devAt = i;
    }
    EXPECT_EQ(SampleScan::FindFirstLargest(v, c.begin, c.end, c.scale, c.level), at) << "n " << c.v.size();
    EXPECT_EQ(SampleScan::FindFirstLargestDeviation(v, c.begin, c.end, offset, deviation), devAt)
      << "n " << c.v.size();

    const int32_t n = c.end - c.begin;
    float lowest = static_cast<float>(c.level), highest = -lowest, plainLow = lowest, plainHigh = highest;
    for (int32_t i = c.begin; i < c.end; ++i) {
      if (v[i] < plainLow) plainLow = v[i];
      if (v[i] > plainHigh) plainHigh = v[i];
    }
    SampleScan::UpdateMinMax(v + c.begin, n, lowest, highest);
    EXPECT_EQ(Bits(lowest), Bits(plainLow)) << "n " << c.v.size() << " from " << c.begin;
    EXPECT_EQ(Bits(highest), Bits(plainHigh)) << "n " << c.v.size() << " from " << c.begin;
  }
}

// A zero extreme keeps the sign of the first zero seen, also when the other sign lies in another lane.
TEST(SampleScan, ZeroExtremeKeepsFirstSign) {
  const std::vector<float> v = {1.0f, 1.0f, -0.0f, 1.0f, 0.0f, 2.0f, 0.0f, 1.0f, -0.0f};
  float lowest = 5.0f, highest = -5.0f;
  SampleScan::UpdateMinMax(v.data(), 9, lowest, highest);
  EXPECT_EQ(Bits(lowest), Bits(-0.0f));
  EXPECT_EQ(highest, 2.0f);
  const std::vector<float> w = {-1.0f, -1.0f, -1.0f, -1.0f, 0.0f, -0.0f, -1.0f, -1.0f};
  lowest = 5.0f, highest = -5.0f;
  SampleScan::UpdateMinMax(w.data(), 8, lowest, highest);
  EXPECT_EQ(Bits(highest), Bits(0.0f));
}

}  // namespace
