// LumoOwlDocViewClass<View>: the view class object that creates views of type View, a
// LumoOwlDocView<V> whose window class V names the view's message id.
#pragma once

#include "hostclient/COMDebugClass.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/ModuleInstance.h"
#include "hostclient/OwlDocViewClassBase.h"

#include <new>

namespace OWL {
class TModule;
}

// View::WindowClass::ViewMessageId() is the id the host opens the view by (its type id).
template <class View>
class LumoOwlDocViewClass final : public OwlDocViewClassBase, public COMDebugClass {
 public:
  LumoOwlDocViewClass(const QOR::String& name, const wchar_t* displayName, OWL::TModule* module)
      : OwlDocViewClassBase(name, displayName), mModule(module) {
    Announce(kAnnounceObjectMade);
  }

  // One IUnknown for the class and its debug-information part.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    return OwlDocViewClassBase::QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return OwlDocViewClassBase::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return OwlDocViewClassBase::Release(); }

  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) noexcept override {
    if (!typeId) return E_POINTER;
    *typeId = View::WindowClass::ViewMessageId();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) noexcept override {
    return OwlDocViewClassBase::GetNameBstr(name);
  }
  HRESULT STDMETHODCALLTYPE GetInstance(HINSTANCE* instance) noexcept override {
    if (!instance) return E_POINTER;
    *instance = GetModuleInstance();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CreateView(uintptr_t, IUnknown* owner,
                                       IDocView2** view) noexcept override {
    if (!view) return E_POINTER;
    *view = nullptr;
    auto* const made = new (std::nothrow) View(this, owner, mModule);
    if (!made) return E_OUTOFMEMORY;
    IDocView2* const part = made;
    part->AddRef();
    *view = part;
    return S_OK;
  }

 private:
  ~LumoOwlDocViewClass() override { Announce(kAnnounceObjectDestroyed); }

  OWL::TModule* mModule;
};
