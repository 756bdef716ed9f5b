// Zoom ratio texts and the zoom menu's ratios.
#include "drawing/ZoomRatio.h"

#include <cmath>
#include <cwchar>
#include <iterator>

namespace ScrivoDraw {

namespace {

// Samples per pixel of the entries 1130 to 1146, in menu order.
constexpr double kMenuRatios[] = {0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000};
static_assert(std::size(kMenuRatios) == kZoomMenuEnd - kZoomMenuFirst, "one ratio per menu entry");

std::wstring ThreeDigits(double value) {
  wchar_t text[32];
  std::swprintf(text, std::size(text), L"%.3g", value);
  return text;
}

}  // namespace

std::wstring FormatZoomRatio(int64_t numerator, int64_t denominator) {
  double const r = denominator == 0 ? 0.0 : static_cast<double>(numerator) / static_cast<double>(denominator);
  if (r == 0.0 || !std::isfinite(r)) return L"x?";
  if (r > 999.999) return ThreeDigits(r / 1000.0) + L"k:1";
  if (r >= 1.0) return ThreeDigits(r) + L":1";
  return L"x" + ThreeDigits(1.0 / r);
}

QORRationalImp ZoomRatioFromMenuId(int32_t id) {
  QORRationalImp ratio;
  if (id < kZoomMenuFirst || id >= kZoomMenuEnd) return ratio;
  int32_t num = 0;
  int32_t den = 1;
  RatioFromDouble(kMenuRatios[id - kZoomMenuFirst], num, den);
  ratio.num = num;
  ratio.den = den;
  ratio.Normalize();
  return ratio;
}

}  // namespace ScrivoDraw
