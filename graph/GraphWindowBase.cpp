// The graph window part: the paint bitmap, the size, mouse-leave tracking and the right-button menu.
#include "graph/GraphWindowBase.h"

#include "graph/GraphStringIds.h"

#include "platform/owl/TBitmap.h"
#include "platform/owl/TMemoryDC.h"
#include "platform/owl/TModule.h"
#include "platform/owl/TPaintDC.h"

#include <string>

namespace MGraph1 {

namespace {

const wchar_t* DefaultTitle() {
  static const std::wstring title = OWL::TModule::Default().LoadString(IDS_GRAPH_WINDOW_TITLE);
  return title.c_str();
}

}  // namespace

DEFINE_RESPONSE_TABLE1(GraphWindowBase, OWL::TWindow)
  EV_WM_RBUTTONUP,
  EV_WM_PAINT,
  EV_WM_MOUSEMOVE,
  EV_WM_SIZE,
  EV_WM_ERASEBKGND,
  EV_WM_MOUSELEAVE,
END_RESPONSE_TABLE;

GraphWindowBase::GraphWindowBase(OWL::TWindow* parent, OWL::TModule* module)
    : OWL::TWindow(parent, DefaultTitle(), module) {
  Attr.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
}

GraphWindowBase::~GraphWindowBase() = default;

OWL::TRect GraphWindowBase::Inset(const OWL::TRect& r) const noexcept {
  return OWL::TRect(r.left + mMargins.left, r.top + mMargins.top, r.right - mMargins.right,
                    r.bottom - mMargins.bottom);
}

void GraphWindowBase::InvalidateGraph(const OWL::TRect&, bool erase) {
  if (erase && GetHandle()) Invalidate(true);
}

void GraphWindowBase::PaintGraph(OWL::TDC& dc, bool, const OWL::TRect& rectangle) {
  FillRect(dc.GetHDC(), &rectangle, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
}

void GraphWindowBase::EvRButtonUp(UINT, const OWL::TPoint& point) {
  if (!mMenuEnabled) return;
  OWL::TPoint screen = point;
  ClientToScreen(screen);
  mMenu.Show(GetHandle(), screen.x, screen.y);
}

void GraphWindowBase::EvPaint() {
  OWL::TPaintDC dc(GetHandle());
  PaintBuffered(dc, GetClientRect());
}

void GraphWindowBase::PaintBuffered(OWL::TDC& dc, const OWL::TRect& client) {
  int32_t const w = client.Width();
  int32_t const h = client.Height();
  if (w < 1 || h < 1) return;
  if (mPaintBitmap && (mPaintWidth != w || mPaintHeight != h)) mPaintBitmap.reset();
  if (!mPaintBitmap) {
    mPaintBitmap = std::make_unique<OWL::TBitmap>(w, h, dc.GetDeviceCaps(PLANES), dc.GetDeviceCaps(BITSPIXEL),
                                                  nullptr);
    mPaintWidth = w;
    mPaintHeight = h;
  }
  OWL::TMemoryDC memory(dc);
  memory.SelectObject(*mPaintBitmap);
  FillRect(memory.GetHDC(), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PaintGraph(memory, true, client);
  dc.BitBlt(OWL::TRect(0, 0, w, h), memory, OWL::TPoint(0, 0), SRCCOPY);
  memory.RestoreBitmap();
}

void GraphWindowBase::EvMouseMove(UINT, const OWL::TPoint&) {
  if (mMouseTracked) return;
  TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, GetHandle(), HOVER_DEFAULT};
  mMouseTracked = TrackMouseEvent(&track) != 0;
}

void GraphWindowBase::EvSize(UINT, const OWL::TSize& size) {
  if (size.cx == 0 || size.cy == 0) return;
  InvalidateGraph(OWL::TRect(0, 0, size.cx, size.cy), true);
}

void GraphWindowBase::EvMouseLeave() {
  mMouseTracked = false;
  OnGraphMouseLeave();
}

}  // namespace MGraph1
