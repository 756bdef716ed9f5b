// ScrivoDraw::ChildPaneHost: what a child pane (a lane or the time scale) asks of the data pane
// that holds it.
#pragma once

#include <windows.h>

#include <cstdint>

struct IDrawerDataPane;
struct IDrawPrintable;

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

  // The pane's horizontal scale object (IRecordDataPixMap), not counted; may be null.
  virtual IUnknown* HorizontalScale() noexcept { return nullptr; }
  // How the pane says whether it prints; may be null.
  virtual IDrawPrintable* Printable() noexcept { return nullptr; }
  // The pane's style word: bit 31 lanes read units texts only, bit 27 axes keep their values
  // hidden for the record value 0x7FFFFFFE.
  virtual uint32_t PaneStyle() const noexcept { return 0x80000000u; }

  // A lane's value axis is dragged: begun, ended (with the axis window), auto scaled.
  virtual void OnAxisDragBegin(int32_t, int32_t) noexcept {}
  virtual void OnAxisDragEnd(int32_t, int32_t, int32_t, IUnknown*) noexcept {}
  virtual void OnAxisAutoScale(int32_t, int32_t, IUnknown*) noexcept {}
  // A lane's value range changed: the pane's interactive objects are told.
  virtual void OnLaneRangeChanged(int32_t, int32_t) noexcept {}
  // A lane's axes gained or lost data; message is 1 then 2, each with both flags.
  virtual void NotifyAxisData(int32_t, int32_t, bool, bool) noexcept {}

 protected:
  ~ChildPaneHost() = default;
};

}  // namespace ScrivoDraw
