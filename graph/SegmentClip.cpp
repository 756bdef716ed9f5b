// Outcode clipping of a segment against the plot rectangle.
#include "graph/SegmentClip.h"

#include <cmath>

namespace MGraph1 {

namespace {

enum : int { kBottom = 1, kTop = 2, kRight = 4, kLeft = 8 };

int AllCodes(double x, double y, const RECT& r) noexcept {
  int code = 0;
  if (x < r.left) code |= kLeft;
  if (x >= r.right) code |= kRight;
  if (y < r.top) code |= kTop;
  if (y >= r.bottom) code |= kBottom;
  return code;
}

// After a move only the first failing test counts, as the moved end then lies on one edge.
int FirstCode(double x, double y, const RECT& r) noexcept {
  if (x < r.left) return kLeft;
  if (x >= r.right) return kRight;
  if (y < r.top) return kTop;
  if (y >= r.bottom) return kBottom;
  return 0;
}

// Moves (x, y) to the edge of code's highest bit along the segment to (ox, oy).
void MoveToEdge(int code, double& x, double& y, double ox, double oy, const RECT& r) noexcept {
  if (code & (kLeft | kRight)) {
    double const edge = (code & kLeft) ? r.left : r.right - 1.0;
    y = y + (oy - y) * (edge - x) / (ox - x);
    x = edge;
    return;
  }
  double const edge = (code & kTop) ? r.top : r.bottom - 1.0;
  x = x + (ox - x) * (edge - y) / (oy - y);
  y = edge;
}

}  // namespace

bool ClipSegment(double& x1, double& y1, double& x2, double& y2, const RECT& plot) noexcept {
  if (std::isnan(x1) || std::isnan(y1) || std::isnan(x2) || std::isnan(y2)) return false;
  int code1 = AllCodes(x1, y1, plot);
  int code2 = AllCodes(x2, y2, plot);
  // Each end crosses at most two edges; the bound only guards against rounding.
  for (int moves = 0; moves < 8; ++moves) {
    if ((code1 | code2) == 0) return true;
    if (code1 & code2) return false;
    if (code1 != 0) {
      MoveToEdge(code1, x1, y1, x2, y2, plot);
      if (std::isnan(x1) || std::isnan(y1)) return false;
      code1 = FirstCode(x1, y1, plot);
    } else {
      MoveToEdge(code2, x2, y2, x1, y1, plot);
      if (std::isnan(x2) || std::isnan(y2)) return false;
      code2 = FirstCode(x2, y2, plot);
    }
  }
  return false;
}

}  // namespace MGraph1
