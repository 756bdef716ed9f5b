// OWL::TUpDown: range, position and buddy.
#include "platform/owl/TUpDown.h"

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
  SetRange(mLower, mUpper);
  SetPos(mPos);
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
