// The comment mark: layout and painting.
#include "hostclient/CommentMarker.h"

#include "hostclient/DPIFontMap.h"
#include "platform/owl/TBrush.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TPen.h"

#include <algorithm>
#include <cwchar>

namespace ScrivoClient {
namespace {

constexpr COLORREF kMarkerLineGrey = 0x00C0C0C0;

double DpiScale(int dpi) noexcept { return std::max(1.0, dpi / 96.0); }

int LowerY(const CommentDrawPosition& at) noexcept {
  return (at.flags & kCommentUseSecondY) && at.secondY > 0 ? at.secondY : at.y;
}

void DrawText(OWL::TDC& target, const CommentDrawPosition& at, const wchar_t* text) {
  const DPIFontMap::Entry& fonts = DPIFontMap::Instance().ForDC(target);
  target.SelectObject(*fonts.normal);
  const OWL::TColor oldColour = target.SetTextColor(OWL::TColor(RGB(0, 0, 0)));
  const UINT oldAlign = target.SetTextAlign(TA_LEFT | TA_TOP);
  const int width = target.GetTextExtent(text).cx;
  const int y = (at.flags & kCommentUseSecondY) ? at.secondY : at.y;
  target.TextOut(at.x - width - 2, y - 1, text);
  target.SetTextAlign(oldAlign);
  target.SetTextColor(oldColour);
  target.RestoreFont();
}

void DrawMarkerLine(OWL::TDC& target, const OWL::TDC& reference, const CommentDrawPosition& at) {
  const int width = static_cast<int>(DpiScale(reference.GetDeviceCaps(LOGPIXELSY)));
  LOGBRUSH brush{BS_SOLID, kMarkerLineGrey, 0};
  const bool screen = target.GetHDC() == reference.GetHDC() &&
                      reference.GetDeviceCaps(TECHNOLOGY) == DT_RASDISPLAY;
  const HPEN pen = screen ? ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &brush, 0, nullptr)
                          : ExtCreatePen(PS_GEOMETRIC | PS_DOT, width, &brush, 0, nullptr);
  if (!pen) return;
  const OWL::TPen owned(pen, OWL::TAutoDelete::AutoDelete);
  target.SelectObject(owned);
  target.MoveTo(at.x, at.firstY);
  target.LineTo(at.x, LowerY(at));
  target.RestorePen();
}

}  // namespace

RECT CommentMarkerRect(int dpi, int x, int firstY) noexcept {
  const int half = static_cast<int>(DpiScale(dpi) * 3);
  return RECT{x - half, firstY, x + half + 1, firstY + 2 * half + 1};
}

RECT CommentMarkerRect(const OWL::TDC& dc, int x, int firstY) noexcept {
  return CommentMarkerRect(dc.GetDeviceCaps(LOGPIXELSY), x, firstY);
}

bool CommentMarkerHit(const RECT& marker, POINT point) noexcept {
  return point.x >= marker.left && point.x < marker.right && point.y >= marker.top &&
         point.y < marker.bottom;
}

void DrawCommentMark(OWL::TDC& target, const OWL::TDC& reference, const CommentDrawPosition& at,
                     const CommentLook& look) {
  if (look.commentFlags != 0 && (at.flags & kCommentDrawText) && look.text && *look.text)
    DrawText(target, at, look.text);
  if (at.flags & (kCommentMarkerLine | kCommentMarkerLineToo)) DrawMarkerLine(target, reference, at);
  const COLORREF colour = (at.flags & kCommentDrawBlack) ? RGB(0, 0, 0) : look.markerColour;
  const OWL::TBrush brush{OWL::TColor(colour)};
  target.SelectStockObject(NULL_PEN);
  target.SelectObject(brush);
  const RECT r = CommentMarkerRect(target, at.x, at.firstY);
  target.Ellipse(OWL::TRect(r.left, r.top, r.right, r.bottom));
  target.RestorePen();
  target.RestoreBrush();
}

}  // namespace ScrivoClient
