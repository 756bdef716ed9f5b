// QORControls::TBitmapGroupBox and QORControls::BitmapWindow.
#include "controls/BitmapControls.h"

#include "platform/owl/TModule.h"

#include <algorithm>
#include <cstdlib>
#include <cwctype>

namespace QORControls {

namespace {

constexpr int kMostPaddingBlanks = 64;

// Draws width by height of bitmap from source to (x, y), its top-left pixel's colour
// transparent; a plain copy when that fails.
void DrawKeyed(HDC dc, HBITMAP bitmap, POINT source, int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return;
  HDC const memory = CreateCompatibleDC(dc);
  HGDIOBJ const old = SelectObject(memory, bitmap);
  COLORREF const key = GetPixel(memory, 0, 0);
  if (!TransparentBlt(dc, x, y, width, height, memory, source.x, source.y, width, height, key))
    BitBlt(dc, x, y, width, height, memory, source.x, source.y, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

}  // namespace

std::wstring TrimCaption(const std::wstring& caption) {
  size_t first = 0;
  while (first < caption.size() && std::iswspace(caption[first])) ++first;
  size_t last = caption.size();
  while (last > first && std::iswspace(caption[last - 1])) --last;
  return caption.substr(first, last - first);
}

int CountPaddingBlanks(const std::function<bool(const std::wstring&, SIZE&)>& measure, int target) {
  std::wstring blanks;
  int count = 0;
  while (count < kMostPaddingBlanks) {
    SIZE size{0, 0};
    if (!measure(blanks, size) || size.cx >= target) break;
    blanks += L' ';
    ++count;
  }
  return count;
}

TBitmapGroupBox::TBitmapGroupBox(OWL::TWindow* parent, int resourceId, int bitmapId)
    : OWL::TGroupBox(parent, resourceId) {
  try {
    mBitmap = std::make_unique<OWL::TBitmap>(OWL::TModule::CodeInstance(), bitmapId);
  } catch (...) {
    mBitmap.reset();
  }
}

TBitmapGroupBox::~TBitmapGroupBox() = default;

void TBitmapGroupBox::SetupWindow() {
  OWL::TWindow::SetupWindow();
  mPadding = 0;
  if (mBitmap) {
    HDC const dc = GetDC(GetHandle());
    HGDIOBJ const old = SelectObject(dc, GetWindowFont() ? static_cast<HGDIOBJ>(GetWindowFont()) : GetStockObject(DEFAULT_GUI_FONT));
    mPadding = CountPaddingBlanks(
        [dc](const std::wstring& text, SIZE& size) {
          return GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size) != 0;
        },
        mBitmap->Width() + 3);
    SelectObject(dc, old);
    ReleaseDC(GetHandle(), dc);
  }
  std::wstring const text = TrimCaption(GetWindowText());
  if (text.empty() && !mBitmap) return;
  std::wstring const blanks(static_cast<size_t>(mPadding), L' ');
  std::wstring const caption = mBitmapAfterText ? text + blanks : blanks + text;
  ::SetWindowTextW(GetHandle(), caption.c_str());
}

POINT TBitmapGroupBox::BitmapPosition() const {
  if (!mBitmap) return POINT{0, 0};
  std::wstring const text = TrimCaption(GetWindowText());
  if (text.empty()) return POINT{9, 1};
  HDC const dc = GetDC(GetHandle());
  HGDIOBJ const old = SelectObject(dc, GetWindowFont() ? static_cast<HGDIOBJ>(GetWindowFont()) : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(GetHandle(), dc);
  int const y = size.cy / 2 - mBitmap->Height() / 2 + 1;
  return POINT{mBitmapAfterText ? size.cx + 12 : 9, y};
}

void TBitmapGroupBox::PaintBitmap(HDC dc) const {
  if (!mBitmap) return;
  POINT const at = BitmapPosition();
  DrawKeyed(dc, mBitmap->GetHandle(), POINT{0, 0}, at.x, at.y, mBitmap->Width(), mBitmap->Height());
}

LRESULT TBitmapGroupBox::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT const result = OWL::TGroupBox::WindowProc(msg, wParam, lParam);
  if (msg == WM_PAINT && mBitmap) {
    HDC const dc = GetDC(GetHandle());
    PaintBitmap(dc);
    ReleaseDC(GetHandle(), dc);
  }
  return result;
}

BitmapLayout LayOutBitmap(int placement, SIZE bitmap, const RECT& rect) noexcept {
  BitmapLayout layout{POINT{0, 0}, rect};
  RECT& r = layout.Rect;
  switch (placement) {
    case 3:
      r.right = bitmap.cx;
      r.bottom = bitmap.cy;
      break;
    case 1: {
      int const d = std::abs(bitmap.cy - (r.bottom - r.top));
      if (bitmap.cy > r.bottom - r.top)
        layout.Source.y += d;
      else
        OffsetRect(&r, 0, d);
      break;
    }
    case 2: {
      int const dx = std::abs(bitmap.cx - (r.right - r.left)) / 2;
      if (bitmap.cx > r.right - r.left)
        layout.Source.x += dx;
      else
        OffsetRect(&r, dx, 0);
      int const dy = std::abs(bitmap.cy - (r.bottom - r.top)) / 2;
      if (bitmap.cy > r.bottom - r.top)
        layout.Source.y += dy;
      else
        OffsetRect(&r, 0, dy);
      break;
    }
    default:
      break;
  }
  return layout;
}

BitmapWindow::BitmapWindow(OWL::TWindow* parent, OWL::TBitmap* bitmap)
    : OWL::TStatic(parent, kControlId), mBitmap(bitmap) {}

BitmapWindow::~BitmapWindow() = default;

void BitmapWindow::SetupWindow() {
  OWL::TWindow::SetupWindow();
  SetWindowLongW(GetHandle(), GWL_STYLE, GetWindowLongW(GetHandle(), GWL_STYLE) | SS_NOTIFY);
  if (mPlacement == 4 && mBitmap)
    ::SetWindowPos(GetHandle(), nullptr, 0, 0, mBitmap->Width(), mBitmap->Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client;
  ::GetClientRect(GetHandle(), &client);
  mPlacementRect = mSecondRect = client;
}

void BitmapWindow::PaintBitmap(HDC dc, const RECT& rect) {
  HBRUSH const face = GetSysColorBrush(COLOR_3DFACE);
  FillRect(dc, &rect, face);
  if (mBitmap) {
    SIZE const size{mBitmap->Width(), mBitmap->Height()};
    BitmapLayout const layout = LayOutBitmap(mPlacement, size, mPlacementRect);
    int const width = std::min<int>(layout.Rect.right - layout.Rect.left, size.cx - layout.Source.x);
    int const height = std::min<int>(layout.Rect.bottom - layout.Rect.top, size.cy - layout.Source.y);
    DrawKeyed(dc, mBitmap->GetHandle(), layout.Source, layout.Rect.left, layout.Rect.top, width, height);
  }
  if (mOverlay) mOverlay->Draw(dc, rect);
}

LRESULT BitmapWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_PAINT) return OWL::TStatic::WindowProc(msg, wParam, lParam);
  PAINTSTRUCT paint{};
  HDC const dc = BeginPaint(GetHandle(), &paint);
  PaintBitmap(dc, paint.rcPaint);
  EndPaint(GetHandle(), &paint);
  return 0;
}

}  // namespace QORControls
