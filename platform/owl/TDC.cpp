// OWL::TDC: selection bookkeeping and the drawing calls.
#include "platform/owl/TDC.h"

#include "platform/owl/TBitmap.h"
#include "platform/owl/TBrush.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TPen.h"
#include "platform/owl/TRegion.h"

#include <cwchar>

namespace OWL {

static int Length(const wchar_t* text, int length) noexcept {
  if (!text) return 0;
  return length < 0 ? static_cast<int>(wcslen(text)) : length;
}

TDC::~TDC() { RestoreObjects(); }

void TDC::Remember(HGDIOBJ& slot, HGDIOBJ previous) noexcept {
  if (!slot) slot = previous;
}

void TDC::SelectObject(const TPen& pen) noexcept {
  Remember(mOrgPen, ::SelectObject(mHandle, pen.GetGdiHandle()));
}

void TDC::SelectObject(const TBrush& brush) noexcept {
  Remember(mOrgBrush, ::SelectObject(mHandle, brush.GetGdiHandle()));
}

void TDC::SelectObject(const TFont& font) noexcept {
  Remember(mOrgFont, ::SelectObject(mHandle, font.GetGdiHandle()));
}

void TDC::SelectObject(const TBitmap& bitmap) noexcept {
  Remember(mOrgBitmap, ::SelectObject(mHandle, bitmap.GetGdiHandle()));
}

void TDC::SelectStockObject(int index) noexcept {
  HGDIOBJ const stock = GetStockObject(index);
  HGDIOBJ const previous = ::SelectObject(mHandle, stock);
  switch (GetObjectType(stock)) {
    case OBJ_PEN: Remember(mOrgPen, previous); break;
    case OBJ_BRUSH: Remember(mOrgBrush, previous); break;
    case OBJ_FONT: Remember(mOrgFont, previous); break;
    default: break;
  }
}

static void RestoreSlot(HDC dc, HGDIOBJ& slot) noexcept {
  if (!slot) return;
  ::SelectObject(dc, slot);
  slot = nullptr;
}

void TDC::RestorePen() noexcept { RestoreSlot(mHandle, mOrgPen); }
void TDC::RestoreBrush() noexcept { RestoreSlot(mHandle, mOrgBrush); }
void TDC::RestoreFont() noexcept { RestoreSlot(mHandle, mOrgFont); }
void TDC::RestoreBitmap() noexcept { RestoreSlot(mHandle, mOrgBitmap); }

void TDC::RestoreObjects() noexcept {
  if (!mHandle) return;
  RestorePen();
  RestoreBrush();
  RestoreFont();
  RestoreBitmap();
}

int TDC::GetDeviceCaps(int index) const noexcept { return ::GetDeviceCaps(mHandle, index); }
int TDC::SetMapMode(int mode) noexcept { return ::SetMapMode(mHandle, mode); }
int TDC::GetMapMode() const noexcept { return ::GetMapMode(mHandle); }

TPoint TDC::SetWindowOrg(const TPoint& origin) noexcept {
  TPoint old;
  SetWindowOrgEx(mHandle, origin.x, origin.y, &old);
  return old;
}

TPoint TDC::GetWindowOrg() const noexcept {
  TPoint p;
  GetWindowOrgEx(mHandle, &p);
  return p;
}

TPoint TDC::SetViewportOrg(const TPoint& origin) noexcept {
  TPoint old;
  SetViewportOrgEx(mHandle, origin.x, origin.y, &old);
  return old;
}

TPoint TDC::GetViewportOrg() const noexcept {
  TPoint p;
  GetViewportOrgEx(mHandle, &p);
  return p;
}

TSize TDC::SetWindowExt(const TSize& extent) noexcept {
  TSize old;
  SetWindowExtEx(mHandle, extent.cx, extent.cy, &old);
  return old;
}

TSize TDC::GetWindowExt() const noexcept {
  TSize s;
  GetWindowExtEx(mHandle, &s);
  return s;
}

TSize TDC::SetViewportExt(const TSize& extent) noexcept {
  TSize old;
  SetViewportExtEx(mHandle, extent.cx, extent.cy, &old);
  return old;
}

TSize TDC::GetViewportExt() const noexcept {
  TSize s;
  GetViewportExtEx(mHandle, &s);
  return s;
}

int TDC::IntersectClipRect(const TRect& r) noexcept {
  return ::IntersectClipRect(mHandle, r.left, r.top, r.right, r.bottom);
}

int TDC::SelectClipRgn(const TRegion* region) noexcept {
  return ::SelectClipRgn(mHandle, region ? region->GetHandle() : nullptr);
}

TColor TDC::SetTextColor(const TColor& color) noexcept {
  return TColor(::SetTextColor(mHandle, color.GetValue()));
}

TColor TDC::SetBkColor(const TColor& color) noexcept {
  return TColor(::SetBkColor(mHandle, color.GetValue()));
}

bool TDC::FillRect(const TRect& r, const TBrush& brush) noexcept {
  return ::FillRect(mHandle, &r, brush.GetHandle()) != 0;
}

bool TDC::FrameRect(const TRect& r, const TBrush& brush) noexcept {
  return ::FrameRect(mHandle, &r, brush.GetHandle()) != 0;
}

bool TDC::FillRgn(const TRegion& region, const TBrush& brush) noexcept {
  return ::FillRgn(mHandle, region.GetHandle(), brush.GetHandle()) != 0;
}

bool TDC::PatBlt(const TRect& r, DWORD rop) noexcept {
  return ::PatBlt(mHandle, r.left, r.top, r.Width(), r.Height(), rop) != 0;
}

void TDC::TextRect(const TRect& r, const TColor& color) noexcept {
  COLORREF const old = ::SetBkColor(mHandle, color.GetValue());
  ::ExtTextOutW(mHandle, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  ::SetBkColor(mHandle, old);
}

bool TDC::TextOut(int x, int y, const wchar_t* text, int length) noexcept {
  return ::TextOutW(mHandle, x, y, text, Length(text, length)) != 0;
}

bool TDC::ExtTextOut(int x, int y, UINT options, const TRect* rect, const wchar_t* text,
                     int length, const int* dx) noexcept {
  return ::ExtTextOutW(mHandle, x, y, options, rect, text, static_cast<UINT>(Length(text, length)),
                     dx) != 0;
}

int TDC::DrawText(const wchar_t* text, int length, TRect& rect, UINT format) noexcept {
  return ::DrawTextW(mHandle, text, length, &rect, format);
}

TSize TDC::GetTextExtent(const wchar_t* text, int length) const noexcept {
  TSize size;
  GetTextExtentPoint32W(mHandle, text, Length(text, length), &size);
  return size;
}

bool TDC::BitBlt(const TRect& dest, const TDC& src, const TPoint& srcOrigin, DWORD rop) noexcept {
  return ::BitBlt(mHandle, dest.left, dest.top, dest.Width(), dest.Height(), src.GetHDC(),
                  srcOrigin.x, srcOrigin.y, rop) != 0;
}

}  // namespace OWL
