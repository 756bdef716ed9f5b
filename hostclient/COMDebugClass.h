// COMDebugClass: object information (a name) that debugging tools of the host can ask for.
#pragma once

#include "hostapi/FrameworkSubject.h"
#include "hostapi/MessageHandler.h"

#include <cstdint>

// IUnknown is left to the concrete class. Derived classes override ObjectName.
class COMDebugClass : public IObjInfo {
 public:
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) noexcept override;
  const char* STDMETHODCALLTYPE GetNameText() noexcept override;

  // Tells the framework subject (when there is one) that this object was made
  // (kAnnounceObjectMade) or is going (kAnnounceObjectDestroyed); the answer is not examined.
  void Announce(uint32_t eventCode) noexcept;

 protected:
  COMDebugClass() noexcept = default;
  ~COMDebugClass() = default;
  virtual const char* ObjectName() const noexcept;
};
