// OWL::TPoint: a POINT with arithmetic, in whatever coordinates its user keeps.
#pragma once

#include <windows.h>

namespace OWL {

class TPoint : public POINT {
 public:
  constexpr TPoint() noexcept : POINT{0, 0} {}
  constexpr TPoint(int px, int py) noexcept : POINT{px, py} {}
  constexpr TPoint(const POINT& p) noexcept : POINT(p) {}

  constexpr TPoint operator+(const TPoint& o) const noexcept { return {x + o.x, y + o.y}; }
  constexpr TPoint operator-(const TPoint& o) const noexcept { return {x - o.x, y - o.y}; }
  constexpr bool operator==(const TPoint& o) const noexcept { return x == o.x && y == o.y; }
  constexpr bool operator!=(const TPoint& o) const noexcept { return !(*this == o); }
  TPoint& Offset(int dx, int dy) noexcept {
    x += dx;
    y += dy;
    return *this;
  }
};

}  // namespace OWL
