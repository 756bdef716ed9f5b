// StaticService: the IUnknown of the framework's immortal service objects.
#pragma once

#include <unknwn.h>
#include <windows.h>

// A framework service lives for the process as a static object; modules keep
// its pointer without a reference, so counting does nothing. QueryInterface
// answers IUnknown and the service's own interface with the object itself.
template <class Interface, const IID& iid>
class StaticService : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID requested, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(requested, IID_IUnknown) && !IsEqualIID(requested, iid)) return E_NOINTERFACE;
    *out = static_cast<Interface*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
};
