// ScrivoDraw::DataWinBase and DataWin<PreviewDataPane>: the window that is at the same time a
// data pane. The window gives the pane its services (timers, invalidation, placing, the bars
// beside it, all children of the window's parent) and passes paint, size and mouse messages on.
#pragma once

#include "drawing/PaneControls.h"
#include "drawing/PreviewDataPane.h"
#include "platform/owl/TRegion.h"
#include "platform/owl/TWindow.h"

#include <memory>

namespace ScrivoDraw {

class DataWinBase : public OWL::TWindow {
 public:
  explicit DataWinBase(OWL::TWindow* parent);

 protected:
  // Nothing of these while the window does not exist.
  void WinSetTimer(uint32_t id, uint32_t milliseconds) noexcept;
  void WinKillTimer(uint32_t id) noexcept;
  void WinInvalidateRect(const RECT& rect, bool erase) noexcept;
  void WinScrollContents(int32_t dx, const RECT& rect) noexcept;
  void WinPlaceWindow(const RECT& rect, bool redraw) noexcept;
  // The bars, as children of this window's parent; null when one cannot be made.
  std::unique_ptr<ScrollBar> MakeScrollBar(AxisControlOwner& owner) noexcept;
  std::unique_ptr<ZoomControl> MakeZoomList(uint32_t flags, AxisControlOwner& owner) noexcept;
  // Creates a bar's window at once when the parent exists already.
  void CreateBesideWindow(OWL::TWindow& bar);
};

template <class Pane>
class DataWin;

// The zoom bar of a preview has the follow toggle.
inline constexpr uint32_t kPreviewZoomFlags = 0x80000000u;

template <>
class DataWin<PreviewDataPane> : public DataWinBase, public PreviewDataPane {
 public:
  // The window holds one reference on its pane part for its whole life; the owner deletes it.
  DataWin(OWL::TWindow* parent, IPaneDataSource* recorded);
  ~DataWin() override;

  void SetupWindow() override;
  void CleanupWindow() override;

  // The pane's window operations.
  void SetTimer(uint32_t id, uint32_t milliseconds) noexcept override { WinSetTimer(id, milliseconds); }
  void KillTimer(uint32_t id) noexcept override { WinKillTimer(id); }
  void InvalidateRect(const RECT& rect, bool erase) noexcept override { WinInvalidateRect(rect, erase); }
  void ScrollPixels(const RECT& rect, int32_t delta) noexcept override { WinScrollContents(delta, rect); }
  void CreateScrollBar() noexcept override;
  void CreateZoomList() noexcept override;
  // The page's last row stays free for the scroll and zoom bars below the window.
  void PlaceWindow(const RECT& rect) noexcept override;

  bool IsTrackingLeave() const noexcept { return mTrackingLeave != 0; }

 protected:
  int32_t ZoomRowHeight() override;

 private:
  void EvPaint();
  bool EvEraseBkgnd(HDC) { return true; }
  void EvMove(const OWL::TPoint& origin);
  void EvSize(UINT sizeType, const OWL::TSize& size);
  void EvLButtonDown(UINT keys, const OWL::TPoint& point);
  void EvLButtonUp(UINT keys, const OWL::TPoint& point);
  void EvLButtonDblClk(UINT keys, const OWL::TPoint& point);
  void EvRButtonDown(UINT keys, const OWL::TPoint& point);
  void EvRButtonUp(UINT keys, const OWL::TPoint& point);
  void EvMouseMove(UINT keys, const OWL::TPoint& point);
  void EvMouseLeave();
  void EvTimer(UINT id);
  bool EvSetCursor(HWND window, UINT hitTest, UINT mouseMsg);
  LRESULT EvNotify(UINT id, NMHDR& header) override;

  OWL::TRegion mUpdateRegion;
  POINT mWindowPos{0, 0};
  int16_t mTrackingLeave = 0;
  ZoomControl* mZoomBar = nullptr;  // the pane owns it

  DECLARE_RESPONSE_TABLE(DataWin);
};

}  // namespace ScrivoDraw
