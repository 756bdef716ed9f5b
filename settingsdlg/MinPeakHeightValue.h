// The minimum peak height's numbers: reading the edit's text, its bounds per mode, the slider's
// table of standard deviations and the spin step.
#pragma once

#include <string>

namespace ZR::Dlg::MinPeakHeight {

inline constexpr int kSliderPositions = 180;  // entries 0.05 to 9.00 in steps of 0.05
inline constexpr double kSliderStep = 0.05;

// Both ends valid.
struct Bounds {
  double low;
  double high;
};
// S.D. 0.05 to 9; absolute and positive only 1e-30 up; absolute any finite value.
Bounds BoundsOf(bool sdMode, bool positiveOnly) noexcept;

// The value slider position i stands for: (i + 1) * 0.05.
double SliderValue(int position) noexcept;
// The position of the entry nearest to value; a tie takes the larger entry, and entries that
// are inexact in binary still land where their decimal value says (1.225 on 24). 0 below the
// table and for NaN, 179 above it.
int SliderPosition(double value) noexcept;

// The number at the start of text with decimalSeparator read as "." (0 when none); complete
// says whether the whole text was read (an empty text reads as 0, complete).
double ReadNumber(const std::wstring& text, wchar_t decimalSeparator, bool* complete);

// A one-character text must be a digit, every character a digit or one of "-.,e+", the whole
// text must read as a number and the number lie within bounds.
bool IsValidText(const std::wstring& text, wchar_t decimalSeparator, const Bounds& bounds);

// Up (negative delta, the spin control's up arrow) multiplies by 1.1, down divides by 1.1; the
// result is kept within bounds.
double SpinStep(double value, int delta, const Bounds& bounds) noexcept;

}  // namespace ZR::Dlg::MinPeakHeight
