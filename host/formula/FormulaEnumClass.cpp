// The host's formula enumerator class, registered with the framework's class registry.
#include "host/formula/FormulaEnumClass.h"

#include "host/formula/ChannelCalcEngine.h"
#include "host/common/HostEnumClass.h"
#include "host/common/HostString.h"
#include "host/cycles/CycleEnumClass.h"
#include "host/formula/FormulaEnumerator.h"
#include "hostapi/CalcEnum.h"
#include "hostapi/FormulaEnumClass.h"

#include <objbase.h>
#include <oleauto.h>

namespace host {

namespace {

constexpr wchar_t kFormulaClassName[] = L"Formula";
constexpr wchar_t kFormulaClassDescription[] = L"Enumerator chain from formula text";

class FormulaEnumClass final : public HostEnumClass<> {
 public:
  FormulaEnumClass(uint32_t typeId, ClassListSource classes)
      : HostEnumClass(typeId, kFormulaClassName, kFormulaClassDescription),
        mTypeId(typeId),
        mClasses(std::move(classes)) {}
  HRESULT STDMETHODCALLTYPE CreateEnum(IUnknown* dataContext, ICalcEnum** calcEnum) noexcept override {
    return CreateFormulaEnumerator(this, mTypeId, mClasses, dataContext, calcEnum);
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_ILumoClassObject || iid == IID_ICalcEnumClass2)
      return static_cast<ICalcEnumClass2*>(this);
    return nullptr;
  }

  uint32_t mTypeId;
  ClassListSource mClasses;
};

}  // namespace

HostPtr<ICalcEnumClass2> CreateFormulaEnumClass(uint32_t typeId, ClassListSource classes) {
  HostPtr<ICalcEnumClass2> object;
  object.Attach(new FormulaEnumClass(typeId, std::move(classes)));
  return object;
}

HRESULT FormulaEnumClassTypeId(ITypeRegistry* types, uint32_t* typeId) {
  if (!types || !typeId) return E_POINTER;
  uint16_t index = 0;
  const HRESULT hr = types->RegisterGuid(&kFormulaEnumClassGuid, &index);
  if (FAILED(hr)) return hr;
  *typeId = (static_cast<uint32_t>(index) << 16) | kFormulaEnumClassNumber;
  return S_OK;
}

HRESULT RegisterFormulaEnumClass(IClassRegistry* registry, ITypeRegistry* types) {
  if (!registry) return E_POINTER;
  uint32_t typeId = 0;
  HRESULT hr = FormulaEnumClassTypeId(types, &typeId);
  if (FAILED(hr)) return hr;
  try {
    HostPtr<ICalcEnumClass2> formulaClass = CreateFormulaEnumClass(typeId, RegistryClassList(registry));
    return registry->RegisterClassObject(formulaClass.Get());
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT RegisterFormulaEnumClassWithFramework(HostPtr<ICalcEnumClass2>* formulaClass) {
  HostPtr<IClassRegistry> registry;
  HostPtr<ITypeRegistry> types;
  HRESULT hr = CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IClassRegistry,
                                reinterpret_cast<void**>(registry.Out()));
  if (FAILED(hr)) return hr;
  hr = CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_ITypeRegistry,
                        reinterpret_cast<void**>(types.Out()));
  if (FAILED(hr)) return hr;
  // The host's own detector, which formulas may call beside the module's classes.
  hr = RegisterCycleEnumClass(registry.Get(), types.Get());
  if (FAILED(hr)) return hr;
  hr = RegisterFormulaEnumClass(registry.Get(), types.Get());
  // The engine that module channel calculations aggregate.
  if (SUCCEEDED(hr)) hr = RegisterChannelCalcEngineClass(registry.Get(), types.Get());
  if (FAILED(hr) || !formulaClass) return hr;
  uint32_t typeId = 0;
  hr = FormulaEnumClassTypeId(types.Get(), &typeId);
  if (FAILED(hr)) return hr;
  // Back through the registry, the road the module's getter takes.
  return registry->GetClassObject(typeId, IID_ICalcEnumClass2, reinterpret_cast<void**>(formulaClass->Out()));
}

}  // namespace host
