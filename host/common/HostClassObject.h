// The class-object part shared by the stand-in host's own classes registered with the framework.
#pragma once

#include "host/common/HostObject.h"
#include "hostapi/LumoClassObject.h"

#include <oleauto.h>

#include <cstdint>

namespace host {

// ILumoClassObject for a host class answering a fixed type id and name, with no category.
// Derived classes add their own interfaces (the first one listed derives from
// ILumoClassObject or is it).
template <typename... Interfaces>
class HostClassObject : public HostObject<Interfaces...> {
 public:
  HostClassObject(uint32_t typeId, const wchar_t* name) noexcept : mTypeId(typeId), mName(name) {}

  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) noexcept override {
    if (!typeId) return E_POINTER;
    *typeId = mTypeId;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCategory(const GUID** category) noexcept override {
    if (!category) return E_POINTER;
    *category = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) noexcept override {
    if (!name) return E_POINTER;
    SysFreeString(*name);
    *name = SysAllocString(mName);
    return *name ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE IsCategory(const GUID*) noexcept override { return S_FALSE; }

 private:
  uint32_t mTypeId;
  const wchar_t* mName;
};

}  // namespace host
