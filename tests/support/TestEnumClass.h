// A test enumerator class registered with the stand-in framework: a formula name, a type id and
// the enumerators it makes, for tests that drive the getter over enumerators of their own.
#pragma once

#include "host/common/HostClassObject.h"
#include "host/common/HostString.h"
#include "hostapi/CalcEnum.h"
#include "hostapi/CalcEnumClass.h"

#include <functional>
#include <string>

namespace testing_support {

class TestEnumClass final : public host::HostClassObject<ICalcEnumClass2> {
 public:
  // make returns a new enumerator with one reference for the caller; a context maker is also
  // given the data context the class was asked to make it over.
  using Maker = std::function<ICalcEnum*()>;
  using ContextMaker = std::function<ICalcEnum*(IUnknown* dataContext)>;
  TestEnumClass(uint32_t typeId, const wchar_t* name, Maker make)
      : TestEnumClass(typeId, name, ContextMaker([make](IUnknown*) { return make(); })) {}
  TestEnumClass(uint32_t typeId, const wchar_t* name, ContextMaker make)
      : HostClassObject(typeId, name, &CATID_CalcEnum), mMake(std::move(make)) {}

  HRESULT STDMETHODCALLTYPE GetName(QOR::IQORString** name) noexcept override {
    *name = host::MakeHostString(Name()).Detach();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDescription(QOR::IQORString**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetFlags(uint32_t* flags) noexcept override {
    *flags = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reserved10(void**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CreateEnum(IUnknown* dataContext, ICalcEnum** out) noexcept override {
    *out = mMake(dataContext);
    return *out ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE CreateAggregatedEnum(IUnknown*, IUnknown*, IUnknown**) noexcept override {
    return E_NOTIMPL;
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ILumoClassObject) ||
        IsEqualIID(iid, IID_ICalcEnumClass2))
      return static_cast<ICalcEnumClass2*>(this);
    return nullptr;
  }
  ContextMaker mMake;
};

// Registers a new class named name under (type-registry index of guid << 16) | number with the
// framework's class registry, which keeps it; returns its type id (0 when refused). The
// framework must be registered in the process.
uint32_t RegisterTestEnumClass(const GUID& guid, uint16_t number, const wchar_t* name,
                               TestEnumClass::ContextMaker make);
inline uint32_t RegisterTestEnumClass(const GUID& guid, uint16_t number, const wchar_t* name,
                                      TestEnumClass::Maker make) {
  return RegisterTestEnumClass(guid, number, name, TestEnumClass::ContextMaker([make](IUnknown*) { return make(); }));
}

}  // namespace testing_support
