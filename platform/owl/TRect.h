// OWL::TRect: a RECT with exclusive right and bottom edges and the usual geometry.
#pragma once

#include "platform/owl/TPoint.h"
#include "platform/owl/TSize.h"

#include <windows.h>

namespace OWL {

class TRect : public RECT {
 public:
  constexpr TRect() noexcept : RECT{0, 0, 0, 0} {}
  constexpr TRect(int l, int t, int r, int b) noexcept : RECT{l, t, r, b} {}
  constexpr TRect(const RECT& r) noexcept : RECT(r) {}
  constexpr TRect(const TPoint& origin, const TSize& extent) noexcept
      : RECT{origin.x, origin.y, origin.x + extent.cx, origin.y + extent.cy} {}

  constexpr int Width() const noexcept { return right - left; }
  constexpr int Height() const noexcept { return bottom - top; }
  constexpr TSize Size() const noexcept { return {Width(), Height()}; }
  constexpr TPoint TopLeft() const noexcept { return {left, top}; }
  // True when the rectangle holds no pixel (zero or negative width or height).
  constexpr bool IsEmpty() const noexcept { return right <= left || bottom <= top; }
  constexpr bool Contains(const TPoint& p) const noexcept {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  constexpr bool operator==(const TRect& o) const noexcept {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  constexpr bool operator!=(const TRect& o) const noexcept { return !(*this == o); }

  TRect& Offset(int dx, int dy) noexcept {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
    return *this;
  }
  TRect& Inflate(int dx, int dy) noexcept {
    left -= dx;
    right += dx;
    top -= dy;
    bottom += dy;
    return *this;
  }
  constexpr TRect InflatedBy(int dx, int dy) const noexcept {
    return {left - dx, top - dy, right + dx, bottom + dy};
  }
  constexpr TRect OffsetBy(int dx, int dy) const noexcept {
    return {left + dx, top + dy, right + dx, bottom + dy};
  }
  // The common part; an empty rectangle at (0, 0) when there is none.
  TRect operator&(const TRect& o) const noexcept;
  // The smallest rectangle holding both (an empty one does not count).
  TRect operator|(const TRect& o) const noexcept;
  bool Touches(const TRect& o) const noexcept { return !(*this & o).IsEmpty(); }
};

inline TRect TRect::operator&(const TRect& o) const noexcept {
  TRect r;
  IntersectRect(&r, this, &o);
  return r;
}

inline TRect TRect::operator|(const TRect& o) const noexcept {
  TRect r;
  UnionRect(&r, this, &o);
  return r;
}

}  // namespace OWL
