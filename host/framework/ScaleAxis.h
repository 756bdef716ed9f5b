// host::ScaleAxis: the geometry of one axis scale: its range, pixel mapping, tick positions and their texts.
#pragma once

#include "hostapi/DragScale.h"

#include <windows.h>

#include <string>
#include <vector>

namespace host {

// A value v maps to the pixel (v + offset) * scale from the area's left edge (horizontal) or
// top edge (vertical: the maximum at the top). Ticks sit at round values of the shown units
// (the unit conversion applied), about one every 60 pixels.
class ScaleAxis {
 public:
  explicit ScaleAxis(bool horizontal) noexcept : mHorizontal(horizontal) {}

  struct Tick {
    int32_t offset;  // pixels from the area's left or top edge
    std::wstring text;
  };

  bool IsHorizontal() const noexcept { return mHorizontal; }
  void SetRange(double minimum, double maximum) noexcept;
  double Minimum() const noexcept { return mMinimum; }
  double Maximum() const noexcept { return mMaximum; }
  void SetLimits(double minimum, double maximum) noexcept;
  double LimitMinimum() const noexcept { return mLimitMin; }
  double LimitMaximum() const noexcept { return mLimitMax; }
  void SetArea(const RECT& area) noexcept { mArea = area; }
  const RECT& Area() const noexcept { return mArea; }
  void SetUnitConversion(const DragScaleMapping& units) noexcept { mUnits = units; }
  // Pixels along the axis.
  int32_t Length() const noexcept;
  DragScaleMapping PixelMapping() const noexcept;
  // Moves the range by a drag of pixels along the axis (right and down positive), kept in the limits.
  void Pan(int32_t pixels) noexcept;
  std::vector<Tick> Ticks() const;
  // The value in shown units with the units text after it.
  std::wstring Format(double value, const std::wstring& units) const;

 private:
  double Shown(double value) const noexcept;
  double Stored(double shown) const noexcept;

  bool mHorizontal;
  double mMinimum = 0.0;
  double mMaximum = 1.0;
  double mLimitMin = -1.7976931348623157e308;
  double mLimitMax = 1.7976931348623157e308;
  RECT mArea = {};
  DragScaleMapping mUnits = {1.0, 0.0};
};

}  // namespace host
