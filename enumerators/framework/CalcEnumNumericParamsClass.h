// The class object of one enumerator class T: its description and the creation of T.
#pragma once

#include "enumerators/framework/CalcEnumAgg.h"
#include "enumerators/framework/CalcEnumClassBase2.h"
#include "hostapi/CalcEnum.h"
#include "hostclient/ComBoundary.h"

namespace CalcEnums {

// Creation of T, constructed as T(data context, class object) with one reference.
template <class T>
class CalcEnumClass2 : public CalcEnumClassBase2 {
 public:
  using CalcEnumClassBase2::CalcEnumClassBase2;

  // A new T asked for ICalcEnum; the caller holds the only reference.
  HRESULT STDMETHODCALLTYPE CreateEnum(IUnknown* dataContext, ICalcEnum** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    return ComTry([&] { return MakeAndAsk(dataContext, IID_ICalcEnum, reinterpret_cast<void**>(out)); });
  }

  HRESULT STDMETHODCALLTYPE CreateAggregatedEnum(IUnknown* outer, IUnknown* dataContext,
                                                 IUnknown** inner) noexcept override {
    if (!inner) return E_POINTER;
    *inner = nullptr;
    return ComTry([&]() -> HRESULT {
      if (!outer) return MakeAndAsk(dataContext, IID_IUnknown, reinterpret_cast<void**>(inner));
      auto* const object = new CalcEnumAgg<T>(outer, dataContext, this);
      *inner = object->Inner();  // carries the object's initial reference
      return S_OK;
    });
  }

 protected:
  ~CalcEnumClass2() = default;

 private:
  HRESULT MakeAndAsk(IUnknown* dataContext, REFIID iid, void** out) {
    T* const object = new T(dataContext, this);
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
  }
};

// The static class object registered with the host for T, over row and table of the registry.
template <class T>
class CalcEnumNumericParamsClass final : public CalcEnumClass2<T> {
 public:
  // Constant-initialised: a static class object is complete before any code of the module runs.
  explicit constexpr CalcEnumNumericParamsClass(EnumClassId id) noexcept
      : CalcEnumClass2<T>(&ClassRow(id), &ClassTableOf(id)) {}
};

}  // namespace CalcEnums
