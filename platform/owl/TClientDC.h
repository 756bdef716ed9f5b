// OWL::TClientDC: the client area DC of a window, released at destruction.
#pragma once

#include "platform/owl/TDC.h"

namespace OWL {

class TClientDC : public TDC {
 public:
  explicit TClientDC(HWND window) noexcept : mWindow(window) { mHandle = GetDC(window); }
  ~TClientDC() override {
    RestoreObjects();
    if (mHandle) ReleaseDC(mWindow, mHandle);
  }

 private:
  HWND mWindow;
};

}  // namespace OWL
