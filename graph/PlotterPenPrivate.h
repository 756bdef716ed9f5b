// PlotterPen: the pen a plotter draws with, replaced only when the colour changes.
#pragma once

#include "platform/owl/TDC.h"
#include "platform/owl/TPen.h"

#include <windows.h>

#include <cstdint>
#include <memory>

namespace MGraph1 {

// Selects a pen of (style, width, colour) into dc; the DC's original pen is back when it dies.
class PlotterPen {
 public:
  PlotterPen(OWL::TDC& dc, int32_t style, int32_t width, COLORREF colour)
      : mDc(dc), mStyle(style), mWidth(width) {
    Select(colour);
  }
  PlotterPen(const PlotterPen&) = delete;
  PlotterPen& operator=(const PlotterPen&) = delete;
  ~PlotterPen() { mDc.RestorePen(); }

  void Use(COLORREF colour) {
    if (colour != mColour) Select(colour);
  }
  COLORREF Colour() const noexcept { return mColour; }

 private:
  void Select(COLORREF colour) {
    auto pen = std::make_unique<OWL::TPen>(OWL::TColor(colour), mWidth, mStyle);
    mDc.SelectObject(*pen);
    mPen = std::move(pen);  // the pen replaced is no longer selected, so it may go
    mColour = colour;
  }

  OWL::TDC& mDc;
  int32_t mStyle;
  int32_t mWidth;
  COLORREF mColour = 0;
  std::unique_ptr<OWL::TPen> mPen;
};

// Pen width in pixels from a plotter's line width (truncated, never negative).
inline int32_t PenWidth(float lineWidth) noexcept {
  return lineWidth >= 1.0f && lineWidth < 1e6f ? static_cast<int32_t>(lineWidth) : 0;
}

}  // namespace MGraph1
