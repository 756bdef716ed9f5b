// QOR::Popup: measuring, placing and painting the hover tip.
#include "controls/Popup.h"

#include "platform/owl/TDC.h"
#include "platform/owl/TGadgetWindow.h"
#include "platform/uihelpers/ApplicationVisible.h"

namespace QOR {

namespace {

constexpr int kWrapWidth = 300;

}  // namespace

Popup::Popup(const OWL::TPoint& position, OWL::TWindow* parent, const String& text)
    : OWL::TWindow(parent), mText(text), mFont(OWL::NewGadgetWindowFont()),
      mPosition{position.x + 2, position.y + 2} {
  Attr.Style = WS_POPUP | WS_DISABLED | WS_BORDER;
  Attr.ExStyle = WS_EX_NOACTIVATE;
  // The text is also the window's own, so whoever reads the window finds what it shows.
  Title = mText.GetText();
  SIZE const size = MeasureText(*mFont, mText.GetText());
  Attr.X = mPosition.x;
  Attr.Y = mPosition.y;
  Attr.W = size.cx;
  Attr.H = size.cy;
  Create();
}

Popup::~Popup() { Destroy(); }

SIZE Popup::MeasureText(HFONT font, const wchar_t* text) {
  RECT rect{0, 0, kWrapWidth, 0};
  HDC const screen = GetDC(nullptr);
  if (screen) {
    HGDIOBJ const old = SelectObject(screen, font);
    DrawTextW(screen, text, -1, &rect, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
  }
  return SIZE{rect.right - rect.left + 5, rect.bottom - rect.top + 2};
}

POINT Popup::PlaceInWorkArea(POINT position, SIZE size, const RECT& workArea) noexcept {
  POINT place{position.x, position.y};
  if (workArea.right - size.cx - 10 < place.x) place.x = workArea.right - size.cx - 10;
  if (place.y + size.cy > workArea.bottom) place.y = position.y - size.cy - 3;
  return place;
}

// Created in any case, shown only while the host application shows itself.
bool Popup::Create() {
  OWL::TWindow::Create();
  if (QOR::IsApplicationVisible()) ShowWindow(SW_SHOWNOACTIVATE);
  return true;
}

void Popup::SetupWindow() {
  OWL::TWindow::SetupWindow();
  RECT const window = GetWindowRect();
  SIZE const size{window.right - window.left, window.bottom - window.top};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromPoint(mPosition, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  POINT const place = PlaceInWorkArea(mPosition, size, monitor.rcWork);
  ::SetWindowPos(mHandle, nullptr, place.x, place.y, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void Popup::Paint(OWL::TDC& dc, bool, OWL::TRect&) {
  HDC const hdc = dc.GetHDC();
  HGDIOBJ const oldFont = SelectObject(hdc, *mFont);
  COLORREF const oldBack = SetBkColor(hdc, kBackground);
  COLORREF const oldText = SetTextColor(hdc, RGB(0, 0, 0));
  UINT const oldAlign = SetTextAlign(hdc, TA_LEFT | TA_TOP);
  RECT client = GetClientRect();
  OffsetRect(&client, 1, 0);
  DrawTextW(hdc, mText.GetText(), -1, &client, DT_WORDBREAK);
  SetTextAlign(hdc, oldAlign);
  SetTextColor(hdc, oldText);
  SetBkColor(hdc, oldBack);
  SelectObject(hdc, oldFont);
}

void Popup::GetWindowClass(WNDCLASSEXW& windowClass) {
  OWL::TWindow::GetWindowClass(windowClass);
  windowClass.hbrBackground = CreateSolidBrush(kBackground);
}

void ShowTipAtCursor(std::unique_ptr<Popup>& tip, OWL::TWindow* parent, const String& text) {
  POINT cursor{0, 0};
  GetCursorPos(&cursor);
  tip.reset();
  tip.reset(new Popup(OWL::TPoint(cursor.x + Popup::kCursorOffsetX, cursor.y + Popup::kCursorOffsetY),
                      parent, text));
}

}  // namespace QOR
