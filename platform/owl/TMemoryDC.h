// OWL::TMemoryDC: a memory DC compatible with another DC (the screen by default), deleted at
// destruction after the selected objects are put back.
#pragma once

#include "platform/owl/TDC.h"

namespace OWL {

class TBitmap;

class TMemoryDC : public TDC {
 public:
  TMemoryDC() noexcept { mHandle = CreateCompatibleDC(nullptr); }
  explicit TMemoryDC(const TDC& compatible) noexcept { mHandle = CreateCompatibleDC(compatible.GetHDC()); }
  // Compatible with the screen, bitmap selected.
  explicit TMemoryDC(const TBitmap& bitmap) noexcept : TMemoryDC() { SelectObject(bitmap); }
  ~TMemoryDC() override {
    RestoreObjects();
    if (mHandle) DeleteDC(mHandle);
  }
};

}  // namespace OWL
