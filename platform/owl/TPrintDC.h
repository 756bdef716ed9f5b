// OWL::TPrintDC: a printer DC, created for a device or adopted, deleted at destruction.
#pragma once

#include "platform/owl/TDC.h"

namespace OWL {

class TPrintDC : public TDC {
 public:
  // CreateDC for the driver, device and port (any may be null); check IsOK.
  TPrintDC(const wchar_t* driver, const wchar_t* device, const wchar_t* port,
           const DEVMODEW* init = nullptr) noexcept {
    mHandle = CreateDCW(driver, device, port, init);
  }
  // Adopts handle: deletes it at destruction.
  explicit TPrintDC(HDC handle) noexcept : TDC(handle) {}
  ~TPrintDC() override {
    RestoreObjects();
    if (mHandle) DeleteDC(mHandle);
  }
};

}  // namespace OWL
