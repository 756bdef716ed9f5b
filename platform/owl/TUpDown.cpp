// OWL::TUpDown: range, position and buddy.
#include "platform/owl/TUpDown.h"

#include "platform/owl/TScreenDC.h"

#include <commctrl.h>

namespace OWL {

TUpDown::TUpDown(TWindow* parent, int id, int x, int y, int w, int h, TWindow* buddy,
                 TModule* module)
    : TControl(parent, id, nullptr, x, y, w, h, module), mBuddy(buddy) {
  Attr.Style = WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS;
}

TUpDown::TUpDown(TWindow* parent, int resourceId, TWindow* buddy, TModule* module)
    : TControl(parent, resourceId, module), mBuddy(buddy) {}

void TUpDown::SetupWindow() {
  TControl::SetupWindow();
  // A control that took its buddy from the template (auto buddy) has made room for itself in
  // the buddy already; naming the same buddy again would narrow the buddy once more.
  if (mBuddy && mBuddy->GetHandle() && GetBuddy() != mBuddy->GetHandle()) SetBuddy(mBuddy->GetHandle());
  FitArrowsToScreen();
  SetRange(mLower, mUpper);
  SetPos(mPos);
}

// The control aligned to its buddy makes itself 16 pixels wide whatever the screen; on a finer
// screen the arrows widen as the dialog's text does, taking the room from the buddy's side.
void TUpDown::FitArrowsToScreen() noexcept {
  constexpr int kArrowsWidthAt96Dpi = 16;
  const auto style = static_cast<DWORD>(GetWindowLongW(mHandle, GWL_STYLE));
  HWND const buddy = GetBuddy();
  HWND const parent = ::GetParent(mHandle);
  if (!(style & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)) || !buddy || !parent) return;
  const TScreenDC screen;
  const int wanted = MulDiv(kArrowsWidthAt96Dpi, screen.GetDeviceCaps(LOGPIXELSX), 96);
  RECT arrows{};
  RECT mate{};
  ::GetWindowRect(mHandle, &arrows);
  ::GetWindowRect(buddy, &mate);
  const int extra = wanted - (arrows.right - arrows.left);
  if (extra <= 0 || extra >= mate.right - mate.left) return;
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&arrows), 2);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&mate), 2);
  if (style & UDS_ALIGNRIGHT) {
    arrows.left -= extra;
    mate.right -= extra;
  } else {
    arrows.right += extra;
    mate.left += extra;
  }
  constexpr UINT kPlace = SWP_NOZORDER | SWP_NOACTIVATE;
  ::SetWindowPos(buddy, nullptr, mate.left, mate.top, mate.right - mate.left, mate.bottom - mate.top, kPlace);
  ::SetWindowPos(mHandle, nullptr, arrows.left, arrows.top, arrows.right - arrows.left, arrows.bottom - arrows.top,
                 kPlace);
}

void TUpDown::SetRange(int lower, int upper) noexcept {
  mLower = lower;
  mUpper = upper;
  if (mHandle) SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper);
}

void TUpDown::GetRange(int& lower, int& upper) const noexcept {
  if (!mHandle) {
    lower = mLower;
    upper = mUpper;
    return;
  }
  SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}

int TUpDown::SetPos(int pos) noexcept {
  int const old = GetPos();
  mPos = pos;
  if (mHandle) SendMessage(UDM_SETPOS32, 0, pos);
  return old;
}

int TUpDown::GetPos() const noexcept {
  return mHandle ? static_cast<int>(SendMessage(UDM_GETPOS32)) : mPos;
}

void TUpDown::SetBuddy(HWND buddy) noexcept {
  if (mHandle) SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy));
}

HWND TUpDown::GetBuddy() const noexcept {
  return mHandle ? reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY)) : nullptr;
}

}  // namespace OWL
