// The cycle detector's class object: its name, parameters and the creation of its enumerators.
#include "host/cycles/CycleEnumClass.h"

#include <cfloat>

#include "host/common/HostEnumClass.h"
#include "host/common/HostString.h"
#include "host/cycles/CycleEnumerator.h"
#include "host/cycles/DetectionSettings.h"

namespace host {

namespace {

// {4F0B9C6E-2A71-4D38-B5E4-7C19A3D20E86}
constexpr GUID kCycleEnumClassGuid = {0x4F0B9C6E, 0x2A71, 0x4D38, {0xB5, 0xE4, 0x7C, 0x19, 0xA3, 0xD2, 0x0E, 0x86}};

constexpr wchar_t kDescription[] = L"Detects cycles by a threshold with hysteresis";

struct ParamRow {
  const wchar_t* name;
  double low;
  double high;
};

constexpr ParamRow kParams[] = {
    {L"Source", 0.0, 0.0},           {L"Downward", -1.0, 1.0},      {L"Hysteresis", -1.0, 1.0},
    {L"Min Peak Height", -DBL_MAX, DBL_MAX}, {L"Min Interval ms", -1.0, DBL_MAX}, {L"Baseline ms", -1.0, DBL_MAX},
    {L"Relative", -1.0, 1.0}};
constexpr int32_t kParamCount = static_cast<int32_t>(sizeof kParams / sizeof kParams[0]);

class CycleEnumClass final : public HostEnumClass<ICalcNumericParamsFuncClass> {
 public:
  explicit CycleEnumClass(uint32_t typeId) : HostEnumClass(typeId, kCycleDetectorName, kDescription) {}

  // ICalcEnumClass2
  HRESULT STDMETHODCALLTYPE CreateEnum(IUnknown*, ICalcEnum** calcEnum) noexcept override {
    return CreateCycleEnumerator(this, calcEnum);
  }

  // ICalcNumericParamsFuncClass
  HRESULT STDMETHODCALLTYPE GetAliasCount(int32_t* count) noexcept override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetAlias(int32_t, QOR::IQORString** alias) noexcept override {
    if (alias) *alias = nullptr;
    return E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE GetResultInfo(QOR::IQORString** name, uint32_t* typeId, int32_t* paramCount,
                                          int32_t* sourceCount, uint32_t* kindC, uint32_t* kindD) noexcept override {
    if (!typeId || !paramCount || !sourceCount || !kindC || !kindD) return E_POINTER;
    GetTypeId(typeId);
    *paramCount = kParamCount;
    *sourceCount = 1;
    *kindC = 0;  // the settings text opens with no integer
    *kindD = kCalcParamKindValue;
    return Text(kCycleDetectorName, name);
  }
  HRESULT STDMETHODCALLTYPE GetParamInfo(int32_t index, double* high, double* low, uint32_t* kind,
                                         QOR::IQORString** name) noexcept override {
    if (name) *name = nullptr;
    if (index < 0 || index >= kParamCount) return E_INVALIDARG;
    if (high) *high = kParams[index].high;
    if (low) *low = kParams[index].low;
    if (kind) *kind = index == 0 ? kCalcParamKindChannel : kCalcParamKindValue;
    return name ? Text(kParams[index].name, name) : S_OK;
  }
  HRESULT STDMETHODCALLTYPE CheckParamKind(int32_t index, uint32_t kind) noexcept override {
    if (index != 0) return E_INVALIDARG;
    return (kind & kCalcParamKindChannel) != 0 ? S_OK : S_FALSE;
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_ILumoClassObject || iid == IID_ICalcEnumClass2)
      return static_cast<ICalcEnumClass2*>(this);
    if (iid == IID_ICalcNumericParamsFuncClass) return static_cast<ICalcNumericParamsFuncClass*>(this);
    return nullptr;
  }
};

}  // namespace

HostPtr<ICalcEnumClass2> CreateCycleEnumClass(uint32_t typeId) {
  HostPtr<ICalcEnumClass2> object;
  object.Attach(new CycleEnumClass(typeId));
  return object;
}

HRESULT RegisterCycleEnumClass(IClassRegistry* registry, ITypeRegistry* types) {
  if (!registry || !types) return E_POINTER;
  uint16_t index = 0;
  const HRESULT hr = types->RegisterGuid(&kCycleEnumClassGuid, &index);
  if (FAILED(hr)) return hr;
  try {
    HostPtr<ICalcEnumClass2> object = CreateCycleEnumClass(static_cast<uint32_t>(index) << 16);
    return registry->RegisterClassObject(object.Get());
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace host
