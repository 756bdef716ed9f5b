// OWL::TPaintDC: BeginPaint and EndPaint around a paint handler.
#pragma once

#include "platform/owl/TDC.h"

namespace OWL {

class TPaintDC : public TDC {
 public:
  explicit TPaintDC(HWND window) noexcept : mWindow(window), Ps{} {
    mHandle = BeginPaint(window, &Ps);
  }
  ~TPaintDC() override {
    RestoreObjects();
    if (mHandle) EndPaint(mWindow, &Ps);
  }
  TRect GetPaintRect() const noexcept { return TRect(Ps.rcPaint); }
  bool EraseRequested() const noexcept { return Ps.fErase != 0; }

 private:
  HWND mWindow;

 public:
  PAINTSTRUCT Ps;
};

}  // namespace OWL
