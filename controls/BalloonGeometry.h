// Where a balloon opens and how its tail runs: plain arithmetic on rectangles, so the
// placement can be checked without windows.
#pragma once

#include <windows.h>

namespace WTL {

inline constexpr int kBalloonMargin = 8;
inline constexpr int kBalloonTailHeight = 20;
inline constexpr int kBalloonTailWidth = 20;
// Option: a balloon pushed sideways into the work area takes its whole tail along.
inline constexpr unsigned kBalloonMoveWholeTail = 0x10000;

// 0: upper right, 1: upper left (the balloon opens below the anchor, tail on top);
// 2: lower left, 3: lower right (it opens above, tail at the bottom).
int BalloonQuadrant(const RECT& workArea, POINT anchor) noexcept;

inline bool TailOnTop(int quadrant) noexcept { return quadrant < 2; }

// The window size for a client size: 8-pixel margins all round and the 20-pixel tail.
SIZE BalloonWindowSize(SIZE client) noexcept;

struct BalloonPlacement {
  int Quadrant;
  RECT Window;    // screen pixels
  POINT Tail[3];  // window pixels: two base points, then the tip
  RECT Body;      // window pixels: the rounded body below or above the tail
};

// The balloon of a client size pointing at anchor, kept inside the work area: when it has to
// move, only the tip keeps pointing at the anchor (the base too with kBalloonMoveWholeTail).
BalloonPlacement PlaceBalloon(const RECT& workArea, POINT anchor, SIZE client, unsigned options) noexcept;

// The client rectangle within a window rectangle (WM_NCCALCSIZE): inset by the margin and
// shortened by the tail on its side, never negative.
RECT BalloonClientRect(const RECT& window, int quadrant) noexcept;

// Whether the cursor still counts as near the start: within tolerance of it on both axes, or
// (withinWindow) inside the window rectangle inflated by tolerance and stretched to the start's y.
bool BalloonCursorNear(POINT cursor, POINT start, int tolerance, bool withinWindow, const RECT& window) noexcept;

}  // namespace WTL
