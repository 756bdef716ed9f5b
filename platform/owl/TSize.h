// OWL::TSize: a SIZE with comparison.
#pragma once

#include <windows.h>

namespace OWL {

class TSize : public SIZE {
 public:
  constexpr TSize() noexcept : SIZE{0, 0} {}
  constexpr TSize(int dx, int dy) noexcept : SIZE{dx, dy} {}
  constexpr TSize(const SIZE& s) noexcept : SIZE(s) {}

  constexpr bool operator==(const TSize& o) const noexcept { return cx == o.cx && cy == o.cy; }
  constexpr bool operator!=(const TSize& o) const noexcept { return !(*this == o); }
};

}  // namespace OWL
