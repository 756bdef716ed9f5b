// ScrivoDraw::ChildPaneHost: what a child pane (a lane or the time scale) asks of the data pane
// that holds it.
#pragma once

#include <windows.h>

#include <cstdint>

struct IDrawerDataPane;

namespace ScrivoDraw {

class ChildPaneHost {
 public:
  // The pane's cached-bitmap switch, and whether it prints (printing never caches).
  virtual bool UsesCachedBitmaps() const noexcept = 0;
  virtual bool IsPrintMode() const noexcept = 0;
  bool AllowsCachedBitmaps() const noexcept { return UsesCachedBitmaps() && !IsPrintMode(); }

  // Ring drawing: the caches wrap at RingOffset (a cache column) while the switch is on and the
  // pane scrolls with new data.
  virtual bool RingSwitch() const noexcept = 0;
  virtual bool IsScrolling() const noexcept = 0;
  virtual int32_t RingOffset() const noexcept = 0;
  virtual bool IsSampling() const noexcept = 0;
  // The scroll state: the pane's column RightColumn (its width less its horizontal margin)
  // shows the data position ScrollPosition.
  virtual int64_t ScrollPosition() const noexcept = 0;
  virtual int32_t RightColumn() const noexcept = 0;

  // A colour as the pane shows it (printing may map colours).
  virtual COLORREF MapColour(COLORREF colour) const noexcept = 0;
  // The pane's horizontal and vertical margins around its lanes.
  virtual SIZE Margins() const noexcept = 0;

  // Repaints a rectangle of the pane (client coordinates) without erasing.
  virtual void Invalidate(const RECT& rect) noexcept = 0;
  // Moves the pixels of a rectangle left by delta columns.
  virtual void ScrollPixels(const RECT& rect, int32_t delta) noexcept = 0;
  // When the pane's relayout mark is set, recomputes its layout and clears the mark.
  virtual void ServeRelayout() noexcept = 0;
  // The interface the child gives its drawers; may be null.
  virtual IDrawerDataPane* DrawerPane() noexcept = 0;

 protected:
  ~ChildPaneHost() = default;
};

}  // namespace ScrivoDraw
