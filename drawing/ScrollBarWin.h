// ScrivoDraw::ScrollBarWin: the horizontal scroll bar beside a preview window; every scroll
// action goes to the pane that owns it, which sets ranges, page and line sizes.
#pragma once

#include "drawing/PaneControls.h"
#include "platform/owl/TScrollBar.h"

namespace ScrivoDraw {

inline constexpr int kScrollBarId = 100;

class ScrollBarWin final : public OWL::TScrollBar, public ScrollBar {
 public:
  ScrollBarWin(OWL::TWindow* parent, AxisControlOwner& owner);

  // Rectangles given to MoveTo are in window's client coordinates (the pane's window, whose
  // parent holds the bar); none: the parent's.
  void SetCoordinateWindow(HWND window) noexcept { mCoordinateWindow = window; }
  void MoveTo(const RECT& rect) override;
  bool IsEnabled() const override;
  void Enable(bool enable) override;
  int32_t GetPosition() const override;
  void SetPosition(int32_t position, bool redraw) override;
  bool GetScrollInfo(SCROLLINFO& info) const override;
  void SetScrollInfo(const SCROLLINFO& info, bool redraw) override;
  int32_t GetLineMagnitude() const override { return LineMagnitude; }
  int32_t GetPageMagnitude() const override { return PageMagnitude; }
  void SetLineMagnitude(int32_t magnitude) override { LineMagnitude = magnitude; }
  void SetPageMagnitude(int32_t magnitude) override;
  void Invalidate() override;

  void SBLineUp() override { mOwner.OnScroll(SB_LINELEFT); }
  void SBLineDown() override { mOwner.OnScroll(SB_LINERIGHT); }
  void SBPageUp() override { mOwner.OnScroll(SB_PAGELEFT); }
  void SBPageDown() override { mOwner.OnScroll(SB_PAGERIGHT); }
  void SBThumbPosition(int) override { mOwner.OnScroll(SB_THUMBPOSITION); }
  void SBThumbTrack(int) override { mOwner.OnScroll(SB_THUMBTRACK); }
  void SBTop() override { mOwner.OnScroll(SB_LEFT); }
  void SBBottom() override { mOwner.OnScroll(SB_RIGHT); }
  void SBEndScroll() override { mOwner.OnScroll(SB_ENDSCROLL); }

 private:
  AxisControlOwner& mOwner;
  HWND mCoordinateWindow = nullptr;
};

}  // namespace ScrivoDraw
