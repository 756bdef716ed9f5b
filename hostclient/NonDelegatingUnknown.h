// QOR::NonDelegatingUnknown: the inner IUnknown of an object the host aggregates, and the
// Aggregatable mix-in that routes an aggregated object's IUnknown to its controlling unknown.
#pragma once

#include "hostclient/InterfaceMap.h"

#include <unknwn.h>
#include <windows.h>

namespace QOR {

// The inner IUnknown of an aggregatable object T (T derives from CComObjectRoot
// and declares an interface map). IUnknown answers this inner part; every other
// IID goes to T's map. Its counting works on T's own count, never the outer's.
template <class T>
class NonDelegatingUnknown final : public IUnknown {
 public:
  explicit NonDelegatingUnknown(T& object) noexcept : mObject(object) {}
  NonDelegatingUnknown(const NonDelegatingUnknown&) = delete;
  NonDelegatingUnknown& operator=(const NonDelegatingUnknown&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown)) {
      *out = static_cast<IUnknown*>(this);
      AddRef();
      return S_OK;
    }
    return QueryInterfaceByMap(static_cast<void*>(&mObject), T::GetInterfaceMap(), iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return mObject.InternalAddRef(); }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return mObject.InternalRelease(); }

 private:
  T& mObject;
};

}  // namespace QOR

// IUnknown of an aggregatable object: every call goes to the controlling
// unknown, which the class returns from ControllingUnknown() (the outer object
// when aggregated, else its NonDelegatingUnknown part).
#define QOR_IUNKNOWN_AGGREGATABLE()                                                     \
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {  \
    return ControllingUnknown()->QueryInterface(iid, out);                              \
  }                                                                                     \
  ULONG STDMETHODCALLTYPE AddRef() noexcept override {                                  \
    return ControllingUnknown()->AddRef();                                              \
  }                                                                                     \
  ULONG STDMETHODCALLTYPE Release() noexcept override {                                 \
    return ControllingUnknown()->Release();                                             \
  }

namespace QOR {

// Mix-in of an aggregatable object T: holds the outer unknown (null when not
// aggregated) and T's inner unknown. T uses QOR_IUNKNOWN_AGGREGATABLE() and
// hands InnerUnknown() to the aggregating outer object.
template <class T>
class Aggregatable {
 public:
  IUnknown* ControllingUnknown() noexcept { return mOuter ? mOuter : &mInner; }
  IUnknown* InnerUnknown() noexcept { return &mInner; }

 protected:
  // outer is not counted: the outer object owns the aggregate, not the reverse.
  explicit Aggregatable(IUnknown* outer) noexcept
      : mInner(static_cast<T&>(*this)), mOuter(outer) {}

 private:
  NonDelegatingUnknown<T> mInner;
  IUnknown* mOuter;
};

}  // namespace QOR
