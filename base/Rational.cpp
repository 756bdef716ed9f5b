// Exact 64-bit rationals and continued-fraction approximation of doubles.
#include "base/Rational.h"

#include <cmath>

namespace {

constexpr int64_t kTermLimit = 0x7FFFFFFE;
// 1/2147483646: a remainder below this adds nothing a 32-bit denominator could show.
constexpr double kSmallestRemainder = 4.656612877414201e-10;

uint64_t Magnitude(int64_t v) noexcept {
  return v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
}

}  // namespace

int64_t RationalGcd(int64_t a, int64_t b) noexcept {
  uint64_t x = Magnitude(a);
  uint64_t y = Magnitude(b);
  while (y != 0) {
    const uint64_t r = x % y;
    x = y;
    y = r;
  }
  return static_cast<int64_t>(x);
}

void RatioFromDouble(double x, int32_t& numerator, int32_t& denominator) noexcept {
  double r = std::fabs(x);
  if (std::isnan(r)) {
    numerator = 0;
    denominator = 1;
    return;
  }
  // A whole part beyond the terms' range is clamped rather than converted (undefined).
  int64_t a = r >= static_cast<double>(kTermLimit) ? kTermLimit : static_cast<int64_t>(r);
  int64_t hPrev = 1, h = a, kPrev = 0, k = 1;
  for (int i = 0; i < 20; ++i) {
    r -= static_cast<double>(a);
    if (!(r >= kSmallestRemainder)) break;  // also a NaN
    r = 1.0 / r;                            // below 2147483646 after the test above
    a = static_cast<int64_t>(r);
    if (h > 0 && (kTermLimit - hPrev) / h <= a) break;
    if (k > 0 && (kTermLimit - kPrev) / k <= a) break;
    const int64_t hNext = a * h + hPrev;
    const int64_t kNext = a * k + kPrev;
    hPrev = h;
    h = hNext;
    kPrev = k;
    k = kNext;
  }
  numerator = static_cast<int32_t>(x <= 0 ? -h : h);
  denominator = static_cast<int32_t>(k);
}

void QORRationalImp::Normalize() {
  if (den == 0) throw bad_rational();
  if (num == 0) {
    den = 1;
    return;
  }
  const int64_t g = RationalGcd(num, den);
  num /= g;
  den /= g;
  if (den < 0) {
    num = -num;
    den = -den;
  }
}

QORRationalImp& QORRationalImp::Divide(const QORRationalImp& other) {
  if (other.num == 0) throw bad_rational();
  if (num == 0) return *this;
  const int64_t g1 = RationalGcd(num, other.num);
  const int64_t g2 = RationalGcd(den, other.den);
  const int64_t n = (num / g1) * (other.den / g2);
  const int64_t d = (den / g2) * (other.num / g1);
  num = d < 0 ? -n : n;
  den = d < 0 ? -d : d;
  return *this;
}

QORRationalImp QORRationalImp::FromDouble(double x) {
  int32_t n = 0;
  int32_t d = 1;
  RatioFromDouble(x, n, d);
  QORRationalImp value{n, d};
  value.Normalize();
  return value;
}
