// OWL::TUIBorder: border styles as DrawEdge edges.
#include "platform/owl/TUIBorder.h"

#include "platform/owl/TBrush.h"
#include "platform/owl/TDC.h"

namespace OWL {

static UINT EdgeOf(TUIBorder::TStyle style) noexcept {
  switch (style) {
    case TUIBorder::Raised: return BDR_RAISEDINNER;
    case TUIBorder::Recessed: return BDR_SUNKENOUTER;
    case TUIBorder::Embossed: return EDGE_BUMP;
    case TUIBorder::Grooved: return EDGE_ETCHED;
    case TUIBorder::ButtonUp:
    case TUIBorder::WndRaised: return EDGE_RAISED;
    case TUIBorder::ButtonDn:
    case TUIBorder::WndRecessed:
    case TUIBorder::WellSet: return EDGE_SUNKEN;
    default: return 0;
  }
}

int TUIBorder::GetWidth(TStyle style) noexcept {
  switch (style) {
    case None: return 0;
    case Plain:
    case Raised:
    case Recessed: return 1;
    default: return 2;
  }
}

void TUIBorder::Paint(TDC& dc) const {
  if (mStyle == None) return;
  if (mStyle == Plain) {
    dc.FrameRect(mFrame, TBrush(TColor::SysWindowFrame));
    return;
  }
  TRect r = mFrame;
  dc.DrawEdge(r, EdgeOf(mStyle), BF_RECT);
}

TRect TUIBorder::GetClientRect() const noexcept {
  int const w = GetWidth(mStyle);
  return mFrame.InflatedBy(-w, -w);
}

}  // namespace OWL
