// OWL::TWindowDC: the whole-window DC (frame included), released at destruction.
#pragma once

#include "platform/owl/TDC.h"

namespace OWL {

class TWindowDC : public TDC {
 public:
  explicit TWindowDC(HWND window) noexcept : mWindow(window) { mHandle = GetWindowDC(window); }
  ~TWindowDC() override {
    RestoreObjects();
    if (mHandle) ReleaseDC(mWindow, mHandle);
  }

 private:
  HWND mWindow;
};

}  // namespace OWL
