// host::ScaleAxis: the geometry of one axis scale: its range, pixel mapping, tick positions and their texts.
#pragma once

#include "hostapi/DragScale.h"

#include <windows.h>

#include <string>
#include <vector>

namespace host {

// A value v maps to the pixel (v + offset) * scale from the area's left edge (horizontal) or
// top edge (vertical: the maximum at the top). Ticks sit at round values of the shown units
// (the unit conversion applied: 1, 2, 2.5 or 5 times a power of ten), about one every 60 pixels
// of a 96-dpi device (as many inches on any other), farther where the labels would not stay
// apart, closer where that leaves fewer than three labels, as long as labels stay apart.
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
  // The device the axis is drawn on: its dots per inch along the axis, how long a label of six
  // characters is along the axis and how long each character of a label is at most (on a
  // vertical axis both are the text's height).
  void SetDevice(int32_t dotsPerInch, int32_t labelLength, int32_t characterLength) noexcept;
  // A length in pixels of a 96-dpi device, in pixels of the axis's device.
  int32_t Scaled(int32_t pixels) const noexcept;
  // The free pixels kept between two labels.
  int32_t LabelGap() const noexcept;
  // Pixels along the axis.
  int32_t Length() const noexcept;
  DragScaleMapping PixelMapping() const noexcept;
  // Moves the range by a drag of pixels along the axis (right and down positive), kept in the limits.
  void Pan(int32_t pixels) noexcept;
  std::vector<Tick> Ticks() const;
  // Whether a label of length pixels, centred on the tick, lies inside the axis: a label that
  // would cross an end of the axis is left out (its tick stays).
  bool LabelFits(const Tick& tick, int32_t length) const noexcept;
  // The value in shown units with the units text after it.
  std::wstring Format(double value, const std::wstring& units) const;

 private:
  double Shown(double value) const noexcept;
  double Stored(double shown) const noexcept;
  std::vector<Tick> TicksEvery(double step, double low, double high) const;
  // Whether labels of ticks step pixels apart keep the gap between them.
  bool LabelsApart(const std::vector<Tick>& ticks, double stepPixels) const noexcept;

  bool mHorizontal;
  double mMinimum = 0.0;
  double mMaximum = 1.0;
  double mLimitMin = -1.7976931348623157e308;
  double mLimitMax = 1.7976931348623157e308;
  RECT mArea = {};
  DragScaleMapping mUnits = {1.0, 0.0};
  int32_t mDotsPerInch = 96;
  int32_t mLabelLength = 0;
  int32_t mCharacterLength = 0;
};

}  // namespace host
