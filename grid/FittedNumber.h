// A number too wide for its cell: shown with fewer significant figures (the exponent kept), so
// that a cut value never reads as another number, and as "#" marks when not one figure fits.
#pragma once

#include <windows.h>

#include <string>

namespace TVF_Grid {

// True for a decimal number as cells write it: an optional sign, digits with an optional point
// (or a point and digits), an optional exponent ("e-7", "E+05").
bool IsNumberText(const std::wstring& text);

// The significant figures a number text shows: digits from the first non-zero one to the end of
// the digits, trailing zeros included ("-0.01250" has 4); 1 for a zero.
int SignificantFigures(const std::wstring& text);

// value in general notation with `figures` significant figures, trailing zeros kept, a final
// point dropped and the exponent written short ("2.83e-4", "1.2e5").
std::wstring RoundedNumber(double value, int figures);
// The number of a number text, as RoundedNumber writes it.
std::wstring RoundedNumberText(const std::wstring& text, int figures);

// The number as it fits in width pixels in the DC's font: itself when it fits, else with as many
// significant figures as fit, else as many "#" as fit, and one "#" (for the cell to clip) when
// not even that fits. value is the number the text writes, rounded from when it is finite: the
// text is rounded already, and rounding it again can go the other way ("0.002650" for 0.002649965
// gives 0.0027); a NaN rounds the text.
std::wstring FitNumber(HDC dc, const std::wstring& text, int width, double value);

}  // namespace TVF_Grid
