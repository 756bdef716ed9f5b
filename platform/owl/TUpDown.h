// OWL::TUpDown: an up-down (spin) control with a 32-bit range and position, and an optional
// buddy window; the values set before creation are applied when it is set up.
#pragma once

#include "platform/owl/TControl.h"

namespace OWL {

class TUpDown : public TControl {
 public:
  TUpDown(TWindow* parent, int id, int x, int y, int w, int h, TWindow* buddy = nullptr,
          TModule* module = nullptr);
  TUpDown(TWindow* parent, int resourceId, TWindow* buddy = nullptr, TModule* module = nullptr);

  void SetRange(int lower, int upper) noexcept;
  void GetRange(int& lower, int& upper) const noexcept;
  // Answers the previous position.
  int SetPos(int pos) noexcept;
  int GetPos() const noexcept;
  void SetBuddy(HWND buddy) noexcept;
  HWND GetBuddy() const noexcept;

  void SetupWindow() override;
  const wchar_t* GetClassName() override { return L"msctls_updown32"; }

 private:
  // Widens arrows aligned to the buddy to the screen's resolution.
  void FitArrowsToScreen() noexcept;

  TWindow* mBuddy;
  // The control's own default range: its up arrow reports a negative delta, which the
  // spin handlers read as "grow".
  int mLower = 100;
  int mUpper = 0;
  int mPos = 0;
};

}  // namespace OWL
