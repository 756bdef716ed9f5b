// Text cut to a width: a value too wide for its cell or heading ends in an ellipsis after the
// characters that fit, so the reader sees that it is cut and never reads half a digit.
#pragma once

#include <windows.h>

#include <string>

namespace TVF_Grid {

// The text as it fits in width pixels in the DC's font: the text itself when it fits, else its
// longest start that fits with "..." after it; with room for nothing more, as much of "..." as fits.
std::wstring FitText(HDC dc, const wchar_t* text, int length, int width);

// The room a cell keeps free before its right edge, so that a value filling its column never
// runs into the next one: 4 pixels at 96 dots per inch, scaled to the device's resolution.
int CellTextGap(int dotsPerInch) noexcept;

}  // namespace TVF_Grid
