// The data pane window: window services and message handling.
#include "drawing/DataWin.h"

#include "drawing/ScrollBarWin.h"
#include "drawing/ZoomControlWin.h"
#include "platform/owl/TPaintDC.h"

#include <algorithm>

namespace ScrivoDraw {

DataWinBase::DataWinBase(OWL::TWindow* parent) : TWindow(parent, L"") {}

void DataWinBase::WinSetTimer(uint32_t id, uint32_t milliseconds) noexcept {
  if (GetHandle()) TWindow::SetTimer(id, milliseconds);
}

void DataWinBase::WinKillTimer(uint32_t id) noexcept {
  if (GetHandle()) TWindow::KillTimer(id);
}

void DataWinBase::WinInvalidateRect(const RECT& rect, bool erase) noexcept {
  if (GetHandle()) ::InvalidateRect(GetHandle(), &rect, erase);
}

void DataWinBase::WinScrollContents(int32_t dx, const RECT& rect) noexcept {
  if (GetHandle()) ::ScrollWindowEx(GetHandle(), dx, 0, &rect, &rect, nullptr, nullptr, SW_INVALIDATE);
}

void DataWinBase::WinPlaceWindow(const RECT& rect, bool redraw) noexcept {
  if (!GetHandle()) return;
  UINT const flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | (redraw ? 0u : SWP_NOREDRAW);
  ::SetWindowPos(GetHandle(), nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, flags);
}

void DataWinBase::CreateBesideWindow(OWL::TWindow& bar) {
  if (GetParentO() && GetParentO()->GetHandle()) bar.Create();
}

std::unique_ptr<ScrollBar> DataWinBase::MakeScrollBar(AxisControlOwner& owner) noexcept {
  try {
    auto bar = std::make_unique<ScrollBarWin>(GetParentO(), owner);
    bar->SetCoordinateWindow(GetHandle());
    CreateBesideWindow(*bar);
    return bar;
  } catch (...) {
    return nullptr;
  }
}

std::unique_ptr<ZoomControl> DataWinBase::MakeZoomList(uint32_t flags, AxisControlOwner& owner) noexcept {
  try {
    auto bar = std::make_unique<ZoomControlWin>(GetParentO(), flags, owner);
    bar->SetCoordinateWindow(GetHandle());
    CreateBesideWindow(*bar);
    return bar;
  } catch (...) {
    return nullptr;
  }
}

DEFINE_RESPONSE_TABLE1(DataWin<PreviewDataPane>, DataWinBase)
  EV_WM_PAINT,
  EV_WM_ERASEBKGND,
  EV_WM_MOVE,
  EV_WM_SIZE,
  EV_WM_LBUTTONDOWN,
  EV_WM_LBUTTONUP,
  EV_WM_LBUTTONDBLCLK,
  EV_WM_RBUTTONDOWN,
  EV_WM_RBUTTONUP,
  EV_WM_MOUSEMOVE,
  EV_WM_MOUSELEAVE,
  EV_WM_TIMER,
  EV_WM_SETCURSOR,
END_RESPONSE_TABLE;

DataWin<PreviewDataPane>::DataWin(OWL::TWindow* parent, IPaneDataSource* recorded)
    : DataWinBase(parent), PreviewDataPane(recorded) {
  Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  PreviewDataPane::AddRef();
}

DataWin<PreviewDataPane>::~DataWin() {
  if (GetHandle()) Destroy();
}

void DataWin<PreviewDataPane>::SetupWindow() {
  DataWinBase::SetupWindow();
  PreviewDataPane::AttachWindow(GetParentH(), GetHandle());
}

void DataWin<PreviewDataPane>::CleanupWindow() {
  PreviewDataPane::DetachWindow();
  DataWinBase::CleanupWindow();
}

void DataWin<PreviewDataPane>::CreateScrollBar() noexcept { SetScrollBar(MakeScrollBar(*this)); }

void DataWin<PreviewDataPane>::CreateZoomList() noexcept {
  std::unique_ptr<ZoomControl> bar = MakeZoomList(kPreviewZoomFlags, *this);
  mZoomBar = bar.get();
  if (bar) {
    PaneRational const scaling = GetHorizontalScaling();
    bar->SetRatio(scaling.numerator, scaling.denominator);
  }
  SetZoomList(std::move(bar));
}

void DataWin<PreviewDataPane>::PlaceWindow(const RECT& rect) noexcept {
  RECT placed = rect;
  if (mZoomBar) placed.bottom = std::max(placed.top, placed.bottom - mZoomBar->GetSize().cy);
  WinPlaceWindow(placed, true);
}

int32_t DataWin<PreviewDataPane>::ZoomRowHeight() {
  return mZoomBar ? mZoomBar->GetSize().cy : PreviewDataPane::ZoomRowHeight();
}

void DataWin<PreviewDataPane>::EvPaint() {
  UpdatePending();
  ::GetUpdateRgn(GetHandle(), mUpdateRegion, FALSE);
  OWL::TPaintDC dc(GetHandle());
  PreviewDataPane::Paint(dc, dc.GetPaintRect(), mUpdateRegion);
}

void DataWin<PreviewDataPane>::EvMove(const OWL::TPoint& origin) {
  DataWinBase::EvMove(origin);
  mWindowPos = POINT{origin.x, origin.y};
  // The value axes stand beside the window in its parent: they move with it.
  LayoutLanes();
}

// A window without height has nothing to lay out (the pane would get lanes of no size).
void DataWin<PreviewDataPane>::EvSize(UINT sizeType, const OWL::TSize& size) {
  DataWinBase::EvSize(sizeType, size);
  if (size.cx >= 0 && size.cy >= 1) PreviewDataPane::SetClientSize(SIZE{size.cx, size.cy});
}

void DataWin<PreviewDataPane>::EvLButtonDown(UINT keys, const OWL::TPoint& point) {
  DataWinBase::EvLButtonDown(keys, point);
  OnLeftDown(point, keys);
}

void DataWin<PreviewDataPane>::EvLButtonUp(UINT keys, const OWL::TPoint& point) {
  DataWinBase::EvLButtonUp(keys, point);
  OnLeftUp(point, keys);
}

void DataWin<PreviewDataPane>::EvLButtonDblClk(UINT keys, const OWL::TPoint& point) {
  DataWinBase::EvLButtonDblClk(keys, point);
  bool handled = false;
  OnLeftDoubleClick(point, keys, &handled);
}

void DataWin<PreviewDataPane>::EvRButtonDown(UINT keys, const OWL::TPoint& point) {
  DataWinBase::EvRButtonDown(keys, point);
  OnRightDown(point, keys);
}

void DataWin<PreviewDataPane>::EvRButtonUp(UINT keys, const OWL::TPoint& point) {
  DataWinBase::EvRButtonUp(keys, point);
  OnRightUp(point, keys);
}

void DataWin<PreviewDataPane>::EvMouseMove(UINT keys, const OWL::TPoint& point) {
  if (!mTrackingLeave) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, GetHandle(), 0};
    mTrackingLeave = ::TrackMouseEvent(&track) ? 1 : 0;
  }
  DataWinBase::EvMouseMove(keys, point);
  OnMouseMove(point, keys);
}

void DataWin<PreviewDataPane>::EvMouseLeave() {
  mTrackingLeave = 0;
  DataWinBase::EvMouseLeave();
  OnMouseLeave();
}

void DataWin<PreviewDataPane>::EvTimer(UINT id) {
  DataWinBase::EvTimer(id);
  OnTimer(id);
}

bool DataWin<PreviewDataPane>::EvSetCursor(HWND window, UINT hitTest, UINT mouseMsg) {
  if (OnCursorQuery(reinterpret_cast<intptr_t>(window) & 0x7FFFFFFF, static_cast<int32_t>(hitTest),
                    static_cast<int32_t>(mouseMsg)))
    return true;
  if (window == GetHandle()) return DataWinBase::EvSetCursor(window, hitTest, mouseMsg);
  return true;
}

LRESULT DataWin<PreviewDataPane>::EvNotify(UINT id, NMHDR& header) {
  OnNotification(static_cast<int32_t>(id), static_cast<int32_t>(header.code));
  return 0;
}

}  // namespace ScrivoDraw
