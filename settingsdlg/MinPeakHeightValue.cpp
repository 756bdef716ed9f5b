// The minimum peak height's numbers.
#include "settingsdlg/MinPeakHeightValue.h"

#include "base/ClassicNumber.h"

#include <cfloat>
#include <cmath>
#include <cwchar>
#include <cwctype>

namespace ZR::Dlg::MinPeakHeight {

Bounds BoundsOf(bool sdMode, bool positiveOnly) noexcept {
  if (sdMode) return {0.05, 9.0};
  if (positiveOnly) return {1e-30, DBL_MAX};
  return {-DBL_MAX, DBL_MAX};
}

double SliderValue(int position) noexcept { return (position + 1) * kSliderStep; }

int SliderPosition(double value) noexcept {
  if (!(value == value)) return 0;
  const double scaled = value / kSliderStep + 0.5 + 1e-9;  // 1e-9: 1.225 / 0.05 is 24.4999... in binary
  if (scaled < 1.0) return 0;
  if (scaled >= kSliderPositions) return kSliderPositions - 1;
  return static_cast<int>(std::floor(scaled)) - 1;
}

double ReadNumber(const std::wstring& text, wchar_t decimalSeparator, bool* complete) {
  std::wstring mapped = text;
  for (wchar_t& c : mapped)
    if (c == decimalSeparator) c = L'.';
  const wchar_t* const start = mapped.c_str();
  const wchar_t* end = nullptr;
  // Not wcstod: the C runtime's numeric locale is the user's, which may want ',' instead.
  const double value = QOR::ReadClassicNumber(start, &end);
  if (complete) *complete = mapped.empty() || (end != start && *end == L'\0');
  return end == start ? 0.0 : value;
}

bool IsValidText(const std::wstring& text, wchar_t decimalSeparator, const Bounds& bounds) {
  if (text.size() == 1 && !std::iswdigit(text[0])) return false;
  for (const wchar_t c : text)
    if (!std::iswdigit(c) && !std::wcschr(L"-.,e+", c)) return false;
  bool complete = false;
  const double value = ReadNumber(text, decimalSeparator, &complete);
  return complete && value >= bounds.low && value <= bounds.high;
}

double SpinStep(double value, int delta, const Bounds& bounds) noexcept {
  double stepped = delta < 0 ? value * 1.1 : value / 1.1;
  if (!(stepped >= bounds.low)) stepped = bounds.low;
  if (stepped > bounds.high) stepped = bounds.high;
  return stepped;
}

}  // namespace ZR::Dlg::MinPeakHeight
