// COMDebugClass: the object's name as narrow text and as a BSTR.
#include "hostclient/COMDebugClass.h"

#include "base/String.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/FrameworkAccess.h"

#include <oleauto.h>

const char* COMDebugClass::ObjectName() const noexcept { return "Unamed object"; }

const char* STDMETHODCALLTYPE COMDebugClass::GetNameText() noexcept { return ObjectName(); }

HRESULT STDMETHODCALLTYPE COMDebugClass::GetNameBstr(BSTR* name) noexcept {
  if (!name) return E_POINTER;
  return ComTry([&] {
    SysFreeString(*name);
    *name = nullptr;
    const QOR::String text(GetNameText());
    if (!text.IsEmpty()) *name = SysAllocString(text.GetText());
  });
}

void COMDebugClass::Announce(uint32_t eventCode) noexcept {
  if (ISubject* const subject = GetFrameworkSubject())
    subject->Announce(eventCode, static_cast<IObjInfo*>(this));
}
