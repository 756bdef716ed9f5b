// COMDebugClass: object information (a name) that debugging tools of the host can ask for.
#pragma once

#include "hostapi/MessageHandler.h"

// IUnknown is left to the concrete class. Derived classes override ObjectName.
class COMDebugClass : public IObjInfo {
 public:
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) noexcept override;
  const char* STDMETHODCALLTYPE GetNameText() noexcept override;

 protected:
  COMDebugClass() noexcept = default;
  ~COMDebugClass() = default;
  virtual const char* ObjectName() const noexcept;
};
