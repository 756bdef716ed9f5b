// MGraph1::LabelPlacer: keeps the labels of one drawing off each other, so that two markers at
// one place show both their names.
#pragma once

#include <windows.h>

#include <cstddef>
#include <initializer_list>
#include <vector>

namespace MGraph1 {

// The box a text covers when written at (x, y) with a text alignment (TA_ flags) at an angle
// of 0 or 900 tenths of a degree (reading upwards); extent is the text's width and height,
// ascent its height above the baseline.
RECT LabelBox(int x, int y, SIZE extent, int ascent, int angle, UINT align) noexcept;

// What a label keeps off besides the labels placed before it: the lines through the data (traces,
// fitted curves), the markers' lines, or both.
enum class LinesOff { None, Data, Markers, DataAndMarkers };

// Labels placed one after another: a label whose box meets one placed before it moves by whole
// steps (first step, then minus step, 2 * step, ...) to the first place where it meets none and
// lies inside the bounds. A label with no such place within a few steps stays where it was asked.
// Labels placed from a list of places can also keep off the lines of the drawing.
class LabelPlacer {
 public:
  // The offset to move the label by; the box, moved, counts as placed from now on.
  POINT Place(const RECT& box, POINT step, const RECT& bounds);
  // The index of the place chosen among places (at least one): the first inside bounds that meets
  // no label placed before and none of the lines of the first of passes; without one, of the next
  // pass; then the first that meets no label; then the first inside; then the first. It counts as
  // placed from now on.
  size_t PlaceFirstFree(const std::vector<RECT>& places, const RECT& bounds, std::initializer_list<LinesOff> passes);
  // A line of the drawing in pixels, through the data or a marker's, for labels to keep off.
  void KeepOff(std::vector<POINT> line, bool data);
  void Clear() noexcept {
    mPlaced.clear();
    mLines.clear();
  }

 private:
  struct Line {
    std::vector<POINT> points;
    bool data;
  };

  bool Free(const RECT& box) const noexcept;
  bool OffLines(const RECT& box, LinesOff off) const noexcept;

  std::vector<RECT> mPlaced;
  std::vector<Line> mLines;
};

}  // namespace MGraph1
