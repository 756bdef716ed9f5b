// The horizontal scaling as the zoom bar shows it, and the ratios of the zoom menu's entries.
#pragma once

#include "base/Rational.h"

#include <cstdint>
#include <string>

namespace ScrivoDraw {

// Command ids of the zoom menu "XCOMPRESSEXPAND": first and one past the last.
inline constexpr int32_t kZoomMenuFirst = 1130;
inline constexpr int32_t kZoomMenuEnd = 1147;

// numerator / denominator samples per pixel with 3 significant digits: "5k:1" above 999.999,
// "2:1" from 1, "x10" below 1, "x?" for 0 (and for a zero denominator).
std::wstring FormatZoomRatio(int64_t numerator, int64_t denominator);

// The ratio of the zoom menu entry id (1130 is 1/10, 1146 is 20000/1), normalised; 0/1 for an
// id outside the menu.
QORRationalImp ZoomRatioFromMenuId(int32_t id);

}  // namespace ScrivoDraw
