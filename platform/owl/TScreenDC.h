// OWL::TScreenDC: the screen's DC, released at destruction.
#pragma once

#include "platform/owl/TDC.h"

namespace OWL {

class TScreenDC : public TDC {
 public:
  TScreenDC() noexcept { mHandle = GetDC(nullptr); }
  ~TScreenDC() override {
    RestoreObjects();
    if (mHandle) ReleaseDC(nullptr, mHandle);
  }
};

}  // namespace OWL
