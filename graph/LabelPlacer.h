// MGraph1::LabelPlacer: keeps the labels of one drawing off each other, so that two markers at
// one place show both their names.
#pragma once

#include <windows.h>

#include <vector>

namespace MGraph1 {

// The box a text covers when written at (x, y) with a text alignment (TA_ flags) at an angle
// of 0 or 900 tenths of a degree (reading upwards); extent is the text's width and height,
// ascent its height above the baseline.
RECT LabelBox(int x, int y, SIZE extent, int ascent, int angle, UINT align) noexcept;

// Labels placed one after another: a label whose box meets one placed before it moves by whole
// steps (first step, then minus step, 2 * step, ...) to the first place where it meets none and
// lies inside the bounds. A label with no such place within a few steps stays where it was asked.
class LabelPlacer {
 public:
  // The offset to move the label by; the box, moved, counts as placed from now on.
  POINT Place(const RECT& box, POINT step, const RECT& bounds);
  void Clear() noexcept { mPlaced.clear(); }

 private:
  bool Free(const RECT& box) const noexcept;

  std::vector<RECT> mPlaced;
};

}  // namespace MGraph1
