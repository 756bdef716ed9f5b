// Balloon placement arithmetic.
#include "controls/BalloonGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace WTL {

int BalloonQuadrant(const RECT& workArea, POINT anchor) noexcept {
  int const midX = workArea.left + (workArea.right - workArea.left) / 2;
  int const midY = workArea.top + (workArea.bottom - workArea.top) / 2;
  if (anchor.y < midY) return anchor.x < midX ? 1 : 0;
  return anchor.x < midX ? 2 : 3;
}

SIZE BalloonWindowSize(SIZE client) noexcept {
  return SIZE{client.cx + 2 * kBalloonMargin, client.cy + 2 * kBalloonMargin + kBalloonTailHeight};
}

BalloonPlacement PlaceBalloon(const RECT& workArea, POINT anchor, SIZE client, unsigned options) noexcept {
  BalloonPlacement p{};
  p.Quadrant = BalloonQuadrant(workArea, anchor);
  SIZE const size = BalloonWindowSize(client);
  int const w = size.cx;
  int const h = size.cy;
  int const q = (w - kBalloonTailWidth) / 4;
  // The tail sits at a quarter of the width on the left half, at three quarters on the right.
  bool const left = p.Quadrant == 1 || p.Quadrant == 2;
  int const baseA = left ? q + kBalloonTailWidth : 3 * q;
  int const baseB = left ? q : 3 * q + kBalloonTailWidth;
  int const tipX = left ? q : 3 * q + kBalloonTailWidth;
  if (TailOnTop(p.Quadrant)) {
    p.Tail[0] = POINT{baseA, kBalloonTailHeight + 1};
    p.Tail[1] = POINT{baseB, kBalloonTailHeight + 1};
    p.Tail[2] = POINT{tipX, 1};
    p.Body = RECT{0, kBalloonTailHeight, w, h};
  } else {
    p.Tail[0] = POINT{baseA, h - kBalloonTailHeight - 2};
    p.Tail[1] = POINT{baseB, h - kBalloonTailHeight - 2};
    p.Tail[2] = POINT{tipX, h - 2};
    p.Body = RECT{0, 0, w, h - kBalloonTailHeight};
  }
  for (POINT& point : p.Tail) point.x = std::max<LONG>(kBalloonMargin, std::min<LONG>(point.x, w - kBalloonMargin));

  int left_ = anchor.x - p.Tail[2].x;
  int top = anchor.y - p.Tail[2].y;
  int dx = 0;
  if (left_ < workArea.left)
    dx = workArea.left - left_;
  else if (left_ + w >= workArea.right)
    dx = workArea.right - left_ - w;
  int dy = 0;
  if (top + kBalloonTailHeight < workArea.top)
    dy = workArea.top - top - kBalloonTailHeight;
  else if (top + h - kBalloonTailHeight >= workArea.bottom)
    dy = workArea.bottom - top - h + kBalloonTailHeight;
  left_ += dx;
  top += dy;
  p.Tail[2].x -= dx;
  if (options & kBalloonMoveWholeTail) {
    p.Tail[0].x -= dx;
    p.Tail[1].x -= dx;
  }
  p.Window = RECT{left_, top, left_ + w, top + h};
  return p;
}

RECT BalloonClientRect(const RECT& window, int quadrant) noexcept {
  RECT r{window.left + kBalloonMargin, window.top + kBalloonMargin, window.right - kBalloonMargin,
         window.bottom - kBalloonMargin};
  if (TailOnTop(quadrant))
    r.top += kBalloonTailHeight;
  else
    r.bottom -= kBalloonTailHeight;
  r.right = std::max(r.right, r.left);
  r.bottom = std::max(r.bottom, r.top);
  return r;
}

bool BalloonCursorNear(POINT cursor, POINT start, int tolerance, bool withinWindow, const RECT& window) noexcept {
  if (withinWindow) {
    RECT r = window;
    InflateRect(&r, tolerance, tolerance);
    r.top = std::min(r.top, start.y);
    r.bottom = std::max<LONG>(r.bottom, start.y + 1);
    if (PtInRect(&r, cursor)) return true;
  }
  return std::abs(cursor.x - start.x) <= tolerance && std::abs(cursor.y - start.y) <= tolerance;
}

}  // namespace WTL
