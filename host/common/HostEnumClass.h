// The enumerator-class part shared by the stand-in host's own enumerator classes (formulas, cycle detection).
#pragma once

#include "host/common/HostClassObject.h"
#include "host/common/HostPtr.h"
#include "host/common/HostString.h"
#include "hostapi/CalcEnum.h"
#include "hostapi/CalcEnumClass.h"

namespace host {

// ICalcEnumClass2 for a host class of the enumerator category with a fixed name and description; the derived
// class creates its enumerators (CreateEnum) and answers its interfaces. Aggregation is not offered.
template <typename... More>
class HostEnumClass : public HostClassObject<ICalcEnumClass2, More...> {
 public:
  HostEnumClass(uint32_t typeId, const wchar_t* name, const wchar_t* description) noexcept
      : HostClassObject<ICalcEnumClass2, More...>(typeId, name, &CATID_CalcEnum), mDescription(description) {}

  HRESULT STDMETHODCALLTYPE GetName(QOR::IQORString** name) noexcept override { return Text(this->Name(), name); }
  HRESULT STDMETHODCALLTYPE GetDescription(QOR::IQORString** description) noexcept override {
    return Text(mDescription, description);
  }
  HRESULT STDMETHODCALLTYPE GetFlags(uint32_t* flags) noexcept override {
    if (!flags) return E_POINTER;
    *flags = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reserved10(void** out) noexcept override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE CreateAggregatedEnum(IUnknown* outer, IUnknown* dataContext,
                                                 IUnknown** inner) noexcept override {
    if (!inner) return E_POINTER;
    *inner = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    HostPtr<ICalcEnum> calc;
    const HRESULT hr = this->CreateEnum(dataContext, calc.Out());
    if (FAILED(hr)) return hr;
    return calc->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(inner));
  }

 protected:
  // A new host string of text into out.
  static HRESULT Text(const wchar_t* text, QOR::IQORString** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    try {
      *out = MakeHostString(text).Detach();
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }

 private:
  const wchar_t* mDescription;
};

}  // namespace host
