// Test enumerator classes standing in for a module's: they describe their parameters like the
// module's class objects and make enumerators that record what the host hands them.
#pragma once

#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "host/common/HostString.h"
#include "hostapi/CalcEnum.h"
#include "hostapi/CalcEnumClass.h"
#include "tests/support/InertEnumerator.h"

#include <memory>
#include <string>
#include <vector>

namespace host::testing {

// What the enumerators of one test did, in call order.
struct EnumLog {
  std::vector<std::wstring> calls;                   // "name:Load settings" and "name:SetSources n"
  std::vector<std::vector<IUnknown*>> sources;       // per SetSources call
  std::vector<std::vector<IUnknown*>> units;         // per SetSources call; empty when none given
};

struct FakeClassInfo {
  std::wstring name;
  std::wstring alias;
  int32_t paramCount;
  int32_t sourceCount;
  bool channelFirst;  // parameter 0 is a channel (else every source takes events)
  bool leadingInteger;
};

class FakeEnum final : public testing_support::InertEnumerator {
 public:
  FakeEnum(std::wstring name, std::shared_ptr<EnumLog> log) : mName(std::move(name)), mLog(std::move(log)) {}
  HRESULT STDMETHODCALLTYPE LoadSettings(QOR::IQORString* text, uint32_t* kind) noexcept override {
    if (kind) *kind = 0x40000000;
    mLog->calls.push_back(mName + L":Load " + StringText(text));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetSources(int32_t, int32_t count, IUnknown** sources, IUnknown** units, double,
                                       uint32_t) noexcept override {
    mLog->calls.push_back(mName + L":SetSources " + std::to_wstring(count));
    mLog->sources.emplace_back(sources, sources + count);
    mLog->units.push_back(units ? std::vector<IUnknown*>(units, units + count) : std::vector<IUnknown*>());
    return S_OK;
  }

 private:
  std::wstring mName;
  std::shared_ptr<EnumLog> mLog;
};

class FakeEnumClass final : public HostObject<ICalcEnumClass2, ICalcNumericParamsFuncClass> {
 public:
  FakeEnumClass(FakeClassInfo info, std::shared_ptr<EnumLog> log) : mInfo(std::move(info)), mLog(std::move(log)) {}

  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* id) noexcept override {
    *id = 0x00050000;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCategory(const GUID** c) noexcept override {
    *c = &CATID_CalcEnum;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsCategory(const GUID*) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetName(QOR::IQORString** name) noexcept override {
    *name = MakeHostString(mInfo.name).Detach();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDescription(QOR::IQORString**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetFlags(uint32_t* flags) noexcept override {
    *flags = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reserved10(void**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CreateEnum(IUnknown*, ICalcEnum** out) noexcept override {
    *out = new FakeEnum(mInfo.name, mLog);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CreateAggregatedEnum(IUnknown*, IUnknown*, IUnknown**) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetAliasCount(int32_t* count) noexcept override {
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetAlias(int32_t, QOR::IQORString** alias) noexcept override {
    *alias = MakeHostString(mInfo.alias).Detach();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetResultInfo(QOR::IQORString** name, uint32_t* typeId, int32_t* paramCount,
                                          int32_t* sourceCount, uint32_t* c, uint32_t* d) noexcept override {
    *name = MakeHostString(mInfo.name).Detach();
    *typeId = 0x00050000;
    *paramCount = mInfo.paramCount;
    *sourceCount = mInfo.sourceCount;
    *c = mInfo.leadingInteger ? 0xA0000000u : 0u;
    *d = 0x40000000u;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetParamInfo(int32_t, double*, double*, uint32_t*, QOR::IQORString**) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE CheckParamKind(int32_t index, uint32_t kind) noexcept override {
    if (index < 0 || index >= mInfo.sourceCount) return E_INVALIDARG;
    const uint32_t bit = index == 0 && mInfo.channelFirst ? kCalcParamKindChannel : kCalcParamKindValue;
    return (kind & bit) ? S_OK : S_FALSE;
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_ILumoClassObject || iid == IID_ICalcEnumClass2)
      return static_cast<ICalcEnumClass2*>(this);
    if (iid == IID_ICalcNumericParamsFuncClass) return static_cast<ICalcNumericParamsFuncClass*>(this);
    return nullptr;
  }
  FakeClassInfo mInfo;
  std::shared_ptr<EnumLog> mLog;
};

// A detector over a channel, a two-source stage and a one-source selector without leading integer.
inline std::vector<HostPtr<IUnknown>> MakeFakeClasses(const std::shared_ptr<EnumLog>& log) {
  const FakeClassInfo infos[] = {{L"CAPPeakDet", L"CAPPeak", 7, 1, true, true},
                                 {L"CalcBase", L"ZRBaseCalc", 12, 2, true, true},
                                 {L"Selector", L"ZRSelector", 2, 1, false, false}};
  std::vector<HostPtr<IUnknown>> classes;
  for (const FakeClassInfo& info : infos) {
    HostPtr<IUnknown> object;
    object.Attach(static_cast<ICalcEnumClass2*>(new FakeEnumClass(info, log)));
    classes.push_back(object);
  }
  return classes;
}

}  // namespace host::testing
