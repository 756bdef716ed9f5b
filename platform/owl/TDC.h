// OWL::TDC: a device context and the drawing calls the module makes on it. A plain TDC
// borrows its HDC; the kinds (TClientDC, TWindowDC, TScreenDC, TPaintDC, TMemoryDC, TPrintDC,
// TPrintPreviewDC) make and free their own.
#pragma once

#include "platform/owl/TColor.h"
#include "platform/owl/TRect.h"

#include <windows.h>

namespace OWL {

class TBitmap;
class TBrush;
class TFont;
class TPen;
class TRegion;

// Objects selected through SelectObject are remembered with what they replaced, so that
// RestoreObjects (run by every destructor) leaves the DC as it was found. The mapping calls
// and GetDeviceCaps are virtual so that the print-preview DC can answer for its printer.
class TDC {
 public:
  explicit TDC(HDC handle) noexcept : mHandle(handle) {}
  TDC(const TDC&) = delete;
  TDC& operator=(const TDC&) = delete;
  virtual ~TDC();

  HDC GetHDC() const noexcept { return mHandle; }
  operator HDC() const noexcept { return mHandle; }
  bool IsOK() const noexcept { return mHandle != nullptr; }

  // Selection with restore.
  void SelectObject(const TPen& pen) noexcept;
  void SelectObject(const TBrush& brush) noexcept;
  void SelectObject(const TFont& font) noexcept;
  void SelectObject(const TBitmap& bitmap) noexcept;
  void SelectStockObject(int index) noexcept;
  void RestorePen() noexcept;
  void RestoreBrush() noexcept;
  void RestoreFont() noexcept;
  void RestoreBitmap() noexcept;
  void RestoreObjects() noexcept;
  int SaveDC() const noexcept { return ::SaveDC(mHandle); }
  bool RestoreDC(int savedIndex = -1) noexcept { return ::RestoreDC(mHandle, savedIndex) != 0; }

  // Device capabilities and mapping.
  virtual int GetDeviceCaps(int index) const noexcept;
  virtual int SetMapMode(int mode) noexcept;
  virtual int GetMapMode() const noexcept;
  virtual TPoint SetWindowOrg(const TPoint& origin) noexcept;
  virtual TPoint GetWindowOrg() const noexcept;
  virtual TPoint SetViewportOrg(const TPoint& origin) noexcept;
  virtual TPoint GetViewportOrg() const noexcept;
  virtual TSize SetWindowExt(const TSize& extent) noexcept;
  virtual TSize GetWindowExt() const noexcept;
  virtual TSize SetViewportExt(const TSize& extent) noexcept;
  virtual TSize GetViewportExt() const noexcept;

  // Clipping.
  int IntersectClipRect(const TRect& rect) noexcept;
  int SelectClipRgn(const TRegion* region) noexcept;

  // Colours and modes.
  TColor SetTextColor(const TColor& color) noexcept;
  TColor SetBkColor(const TColor& color) noexcept;
  int SetBkMode(int mode) noexcept { return ::SetBkMode(mHandle, mode); }
  UINT SetTextAlign(UINT flags) noexcept { return ::SetTextAlign(mHandle, flags); }
  int SetROP2(int mode) noexcept { return ::SetROP2(mHandle, mode); }

  // Lines and shapes (pixel coordinates are logical units of the DC).
  bool MoveTo(int x, int y) noexcept { return MoveToEx(mHandle, x, y, nullptr) != 0; }
  bool MoveTo(const TPoint& p) noexcept { return MoveTo(p.x, p.y); }
  bool LineTo(int x, int y) noexcept { return ::LineTo(mHandle, x, y) != 0; }
  bool LineTo(const TPoint& p) noexcept { return LineTo(p.x, p.y); }
  bool Rectangle(const TRect& r) noexcept { return ::Rectangle(mHandle, r.left, r.top, r.right, r.bottom) != 0; }
  bool Ellipse(const TRect& r) noexcept { return ::Ellipse(mHandle, r.left, r.top, r.right, r.bottom) != 0; }
  bool FillRect(const TRect& r, const TBrush& brush) noexcept;
  bool FrameRect(const TRect& r, const TBrush& brush) noexcept;
  bool DrawFocusRect(const TRect& r) noexcept { return ::DrawFocusRect(mHandle, &r) != 0; }
  bool DrawEdge(TRect& r, UINT edge, UINT flags) noexcept { return ::DrawEdge(mHandle, &r, edge, flags) != 0; }
  bool FillRgn(const TRegion& region, const TBrush& brush) noexcept;
  bool PatBlt(const TRect& r, DWORD rop = PATCOPY) noexcept;
  // Fills r with color through an opaque empty text output (no brush needed).
  void TextRect(const TRect& r, const TColor& color) noexcept;
  COLORREF SetPixel(int x, int y, const TColor& color) noexcept { return ::SetPixel(mHandle, x, y, color.GetValue()); }
  COLORREF GetPixel(int x, int y) const noexcept { return ::GetPixel(mHandle, x, y); }

  // Text; a negative length means up to the NUL.
  bool TextOut(int x, int y, const wchar_t* text, int length = -1) noexcept;
  bool ExtTextOut(int x, int y, UINT options, const TRect* rect, const wchar_t* text,
                  int length = -1, const int* dx = nullptr) noexcept;
  int DrawText(const wchar_t* text, int length, TRect& rect, UINT format) noexcept;
  TSize GetTextExtent(const wchar_t* text, int length = -1) const noexcept;
  bool GetTextMetrics(TEXTMETRICW& metrics) const noexcept { return ::GetTextMetricsW(mHandle, &metrics) != 0; }

  // Copies from src; srcOrigin in src's logical units.
  bool BitBlt(const TRect& dest, const TDC& src, const TPoint& srcOrigin, DWORD rop = SRCCOPY) noexcept;

 protected:
  TDC() noexcept = default;

  HDC mHandle = nullptr;

 private:
  void Remember(HGDIOBJ& slot, HGDIOBJ previous) noexcept;

  HGDIOBJ mOrgPen = nullptr;
  HGDIOBJ mOrgBrush = nullptr;
  HGDIOBJ mOrgFont = nullptr;
  HGDIOBJ mOrgBitmap = nullptr;
};

}  // namespace OWL
