// An enumerator aggregated by a host object: its interfaces answer through the outer unknown.
#pragma once

#include "hostapi/CalcEnumClass.h"

#include <unknwn.h>

namespace CalcEnums {

// T extended by a non-delegating IUnknown and the outer unknown. T's ICalcEnum and IEnumEventEx
// parts forward QueryInterface, AddRef and Release to the outer unknown; the inner part answers
// IUnknown itself, every other IID through T's own QueryInterface, and counts T's own count
// (T deletes itself when it reaches zero). The outer unknown is not held: it owns the inner.
// Clone, through either part, gives a plain T counting its own references: the outer object
// knows only this inner, so it could neither hand out a clone's interfaces nor free it.
template <class T>
class CalcEnumAgg final : public T {
 public:
  CalcEnumAgg(IUnknown* outer, IUnknown* dataContext, ICalcEnumClass2* classObject)
      : T(dataContext, classObject), mInner(*this), mOuter(outer) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    return mOuter->QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return mOuter->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return mOuter->Release(); }

  IUnknown* Inner() noexcept { return &mInner; }

 private:
  class NonDelegating final : public IUnknown {
   public:
    explicit NonDelegating(CalcEnumAgg& owner) noexcept : mOwner(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
      if (!out) return E_POINTER;
      *out = nullptr;
      if (IsEqualIID(iid, IID_IUnknown)) {
        *out = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
      }
      return mOwner.T::QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return mOwner.T::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return mOwner.T::Release(); }

   private:
    CalcEnumAgg& mOwner;
  };

  NonDelegating mInner;
  IUnknown* mOuter;
};

}  // namespace CalcEnums
