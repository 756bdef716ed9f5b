// The class-object part shared by the stand-in host's own classes registered with the framework.
#pragma once

#include "host/common/HostObject.h"
#include "hostapi/LumoClassObject.h"

#include <oleauto.h>

#include <cstdint>
#include <new>

namespace host {

// ILumoClassObject for a host class answering a fixed type id, name and category (none when
// null). Derived classes add their own interfaces (the first one listed derives from
// ILumoClassObject or is it).
template <typename... Interfaces>
class HostClassObject : public HostObject<Interfaces...> {
 public:
  HostClassObject(uint32_t typeId, const wchar_t* name, const GUID* category = nullptr) noexcept
      : mTypeId(typeId), mName(name), mCategory(category) {}

  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) noexcept override {
    if (!typeId) return E_POINTER;
    *typeId = mTypeId;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCategory(const GUID** category) noexcept override {
    if (!category) return E_POINTER;
    *category = mCategory;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) noexcept override {
    if (!name) return E_POINTER;
    SysFreeString(*name);
    *name = SysAllocString(mName);
    return *name ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE IsCategory(const GUID* category) noexcept override {
    return category && mCategory && (category == mCategory || *category == *mCategory) ? S_OK : S_FALSE;
  }

 protected:
  const wchar_t* Name() const noexcept { return mName; }

 private:
  uint32_t mTypeId;
  const wchar_t* mName;
  const GUID* mCategory;
};

// A host class whose instances the class registry makes through IClassFactory: each is a new
// Object (a HostObject starting with one reference), not aggregated.
template <typename Object>
class HostFactoryClass final : public HostClassObject<ILumoClassObject, IClassFactory> {
 public:
  HostFactoryClass(uint32_t typeId, const wchar_t* name) noexcept : HostClassObject(typeId, name) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    Object* const made = new (std::nothrow) Object();
    if (!made) return E_OUTOFMEMORY;
    const HRESULT hr = made->QueryInterface(iid, out);
    made->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) noexcept override { return S_OK; }

 private:
  ~HostFactoryClass() override = default;
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_ILumoClassObject) return static_cast<ILumoClassObject*>(this);
    if (iid == IID_IClassFactory) return static_cast<IClassFactory*>(this);
    return nullptr;
  }
};

}  // namespace host
