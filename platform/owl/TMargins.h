// OWL::TMargins: four pixel margins and what they leave of a rectangle.
#pragma once

#include "platform/owl/TRect.h"

namespace OWL {

struct TMargins {
  int Left = 0;
  int Right = 0;
  int Top = 0;
  int Bottom = 0;

  constexpr TMargins() noexcept = default;
  constexpr TMargins(int l, int r, int t, int b) noexcept : Left(l), Right(r), Top(t), Bottom(b) {}
  // The rectangle inside the margins (it may come out inverted when they overlap).
  constexpr TRect Inset(const TRect& r) const noexcept {
    return {r.left + Left, r.top + Top, r.right - Right, r.bottom - Bottom};
  }
};

}  // namespace OWL
