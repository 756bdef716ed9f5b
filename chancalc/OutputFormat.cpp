// The output format of a calculated channel from its scale top and bottom.
#include "chancalc/OutputFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ZR::ChanCalc {

namespace {

constexpr float kScaleLimit = 1e24f;
// Raw samples from -32000 to +32000 span the scale.
constexpr double kRawSpan = 64000.0;
constexpr double kRawHalfSpan = 32000.0;
// Eight float steps relative to a value's size: below it, the single-precision range between
// the ends is mostly rounding.
constexpr float kNarrowSpan = 8.0f * std::numeric_limits<float>::epsilon();
// How far ends at zero move apart, having no size to go by.
constexpr float kSpanAtZero = 1e-5f;

}  // namespace

ChannelCalcFormat DefaultOutputFormat() noexcept {
  return ChannelCalcFormat{1.0, 0.0, std::numeric_limits<float>::infinity(),
                           -std::numeric_limits<float>::infinity(), 2, 1, 0};
}

ChannelCalcFormat OutputRangeFormat(float top, float bottom, int32_t decimalPlaces, bool symmetric) noexcept {
  if (!std::isfinite(top)) top = 1.0f;
  if (!std::isfinite(bottom)) bottom = -1.0f;
  if (symmetric) bottom = -top;
  top = std::clamp(top, -kScaleLimit, kScaleLimit);
  bottom = std::clamp(bottom, -kScaleLimit, kScaleLimit);
  if (top == bottom) {
    // No range to divide by (equal ends, or both clamped to one limit): one float step each way.
    top = std::nextafter(top, std::numeric_limits<float>::infinity());
    bottom = std::nextafter(bottom, -std::numeric_limits<float>::infinity());
  }
  float range = top - bottom;
  if (!std::isfinite(range)) range = std::numeric_limits<float>::max();
  double scale = range / kRawSpan;
  if (!std::isfinite(scale)) scale = static_cast<double>(std::numeric_limits<float>::max());
  ChannelCalcFormat format = DefaultOutputFormat();
  format.scale = scale;
  format.offset = kRawHalfSpan + kRawSpan * bottom / range;
  format.decimalPlaces = decimalPlaces;
  return format;
}

void WidenNarrowScale(float& top, float& bottom) noexcept {
  const float size = std::max(std::fabs(top), std::fabs(bottom));
  if (top != bottom && !(std::fabs(top - bottom) < kNarrowSpan * size)) return;
  const float step = size > 0.0f ? kNarrowSpan * size : kSpanAtZero;
  top = std::max(top + step, std::nextafter(top, std::numeric_limits<float>::infinity()));
  bottom = std::min(bottom - step, std::nextafter(bottom, -std::numeric_limits<float>::infinity()));
}

}  // namespace ZR::ChanCalc
