// Class objects made by the framework tests: a plain class object and a calculation-enumerator class.
#pragma once

#include "host/common/HostString.h"
#include "hostapi/CalcEnumClass.h"
#include "hostapi/QORString.h"

#include <oleauto.h>

#include <string>

namespace framework_test {

// Counts references without ever deleting itself (tests keep it on the stack).
template <class Base>
class StackCounted : public Base {
 public:
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++mCount; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return --mCount; }
  ULONG mCount = 1;
};

class PlainClass : public StackCounted<ILumoClassObject> {
 public:
  PlainClass(uint32_t typeId, const wchar_t* name) : mTypeId(typeId), mName(name) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_ILumoClassObject)) return E_NOINTERFACE;
    *out = static_cast<ILumoClassObject*>(this);
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) noexcept override {
    *typeId = mTypeId;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCategory(const GUID** category) noexcept override {
    *category = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) noexcept override {
    SysFreeString(*name);
    *name = SysAllocString(mName.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsCategory(const GUID*) noexcept override { return S_FALSE; }

 private:
  uint32_t mTypeId;
  std::wstring mName;
};

// The enumerator class hands out its names as the host's own string objects.
inline QOR::IQORString* MakeText(const wchar_t* text) { return host::MakeHostString(text).Detach(); }

// A calculation-enumerator class with a formula name and one alias; its
// enumerators are plain counted objects.
class EnumClass final : public ICalcEnumClass2, public ICalcNumericParamsFuncClass {
 public:
  EnumClass(uint32_t typeId, const wchar_t* name, const wchar_t* alias)
      : mTypeId(typeId), mName(name), mAlias(alias) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++mCount; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return --mCount; }
  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) noexcept override {
    *typeId = mTypeId;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCategory(const GUID** category) noexcept override {
    *category = &CATID_CalcEnum;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) noexcept override {
    SysFreeString(*name);
    *name = SysAllocString(mName.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsCategory(const GUID* category) noexcept override {
    return category && IsEqualGUID(*category, CATID_CalcEnum) ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE GetName(QOR::IQORString** name) noexcept override {
    *name = MakeText(mName.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDescription(QOR::IQORString** description) noexcept override {
    *description = MakeText(L"");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetFlags(uint32_t* flags) noexcept override {
    *flags = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reserved10(void** out) noexcept override {
    *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE CreateEnum(IUnknown*, ICalcEnum** calcEnum) noexcept override {
    *calcEnum = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE CreateAggregatedEnum(IUnknown* outer, IUnknown*, IUnknown** inner) noexcept override;
  HRESULT STDMETHODCALLTYPE GetAliasCount(int32_t* count) noexcept override {
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetAlias(int32_t index, QOR::IQORString** alias) noexcept override {
    *alias = nullptr;
    if (index != 0) return E_INVALIDARG;
    *alias = MakeText(mAlias.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetResultInfo(QOR::IQORString**, uint32_t*, int32_t*, int32_t*, uint32_t*,
                                          uint32_t*) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetParamInfo(int32_t, double*, double*, uint32_t*, QOR::IQORString**) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE CheckParamKind(int32_t, uint32_t) noexcept override { return E_NOTIMPL; }

  ULONG mCount = 1;
  IUnknown* mLastOuter = nullptr;
  int mCreated = 0;

 private:
  uint32_t mTypeId;
  std::wstring mName;
  std::wstring mAlias;
};

}  // namespace framework_test
