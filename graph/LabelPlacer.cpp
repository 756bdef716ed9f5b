// Label boxes and their placement apart from each other.
#include "graph/LabelPlacer.h"

#include "graph/SegmentClip.h"

#include <utility>

namespace MGraph1 {

namespace {

constexpr int kMaxSteps = 4;

// Where a text of length `length` starts along its line from the reference coordinate.
int Along(int reference, int length, UINT align) noexcept {
  if ((align & TA_CENTER) == TA_CENTER) return reference - length / 2;
  if (align & TA_RIGHT) return reference - length;
  return reference;
}

// Where the text's cell starts across its line, with "up" towards lower coordinates.
int Across(int reference, int height, int ascent, UINT align) noexcept {
  if ((align & TA_BASELINE) == TA_BASELINE) return reference - ascent;
  if (align & TA_BOTTOM) return reference - height;
  return reference;
}

bool Inside(const RECT& box, const RECT& bounds) noexcept {
  return box.left >= bounds.left && box.top >= bounds.top && box.right <= bounds.right && box.bottom <= bounds.bottom;
}

}  // namespace

RECT LabelBox(int x, int y, SIZE extent, int ascent, int angle, UINT align) noexcept {
  if (angle == 0) {
    int const left = Along(x, extent.cx, align);
    int const top = Across(y, extent.cy, ascent, align);
    return RECT{left, top, left + extent.cx, top + extent.cy};
  }
  // Reading upwards: the line runs towards the top, the glyphs' tops face left.
  int const bottom = 2 * y - Along(y, extent.cx, align);
  int const left = Across(x, extent.cy, ascent, align);
  return RECT{left, bottom - extent.cx, left + extent.cy, bottom};
}

POINT LabelPlacer::Place(const RECT& box, POINT step, const RECT& bounds) {
  POINT chosen{0, 0};
  for (int k = 1; k <= kMaxSteps && !Free(box); ++k) {
    bool found = false;
    for (int const sign : {k, -k}) {
      POINT const offset{sign * step.x, sign * step.y};
      RECT moved = box;
      OffsetRect(&moved, offset.x, offset.y);
      if (!Inside(moved, bounds) || !Free(moved)) continue;
      chosen = offset;
      found = true;
      break;
    }
    if (found) break;
  }
  RECT placed = box;
  OffsetRect(&placed, chosen.x, chosen.y);
  mPlaced.push_back(placed);
  return chosen;
}

size_t LabelPlacer::PlaceFirstFree(const std::vector<RECT>& places, const RECT& bounds,
                                   std::initializer_list<LinesOff> passes) {
  // Each pass asks less of a place: off the lines of one pass after the other, then off the labels
  // alone, then only inside.
  // Pass passes.size() asks off no line; the one after it only inside.
  const size_t lastPass = passes.size() + 1;
  const auto fits = [&](const RECT& box, size_t pass) {
    if (!Inside(box, bounds)) return false;
    if (pass == lastPass) return true;
    return Free(box) && OffLines(box, pass < passes.size() ? passes.begin()[pass] : LinesOff::None);
  };
  size_t chosen = 0;
  bool found = false;
  for (size_t pass = 0; pass <= lastPass && !found; ++pass)
    for (size_t i = 0; i < places.size() && !found; ++i) {
      found = fits(places[i], pass);
      if (found) chosen = i;
    }
  mPlaced.push_back(places[chosen]);
  return chosen;
}

void LabelPlacer::KeepOff(std::vector<POINT> line, bool data) {
  if (!line.empty()) mLines.push_back({std::move(line), data});
}

// Whether no segment of the lines kept off passes through box or touches it (a lone point counts
// as one).
bool LabelPlacer::OffLines(const RECT& box, LinesOff off) const noexcept {
  if (off == LinesOff::None) return true;
  RECT around = box;
  InflateRect(&around, 1, 1);
  for (const Line& line : mLines) {
    if (line.data ? off == LinesOff::Markers : off == LinesOff::Data) continue;
    for (size_t i = 0; i < line.points.size(); ++i) {
      POINT const& to = line.points[i];
      POINT const& from = line.points[i == 0 ? 0 : i - 1];
      double x1 = from.x, y1 = from.y, x2 = to.x, y2 = to.y;
      if (ClipSegment(x1, y1, x2, y2, around)) return false;
    }
  }
  return true;
}

bool LabelPlacer::Free(const RECT& box) const noexcept {
  for (const RECT& other : mPlaced) {
    RECT common;
    if (IntersectRect(&common, &other, &box)) return false;
  }
  return true;
}

}  // namespace MGraph1
