// The stand-in host's own classes, registered with the framework.
#include "host/app/HostClasses.h"

#include "host/data/CalculationClasses.h"
#include "host/data/TestDocumentClass.h"
#include "host/formula/FormulaEnumClass.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/TypeRegistry.h"

#include <objbase.h>

namespace ondara_host {

HRESULT RegisterHostClasses(host::HostPtr<ICalcEnumClass2>* formulaClass) {
  host::HostPtr<ICalcEnumClass2> formula;
  HRESULT hr = host::RegisterFormulaEnumClassWithFramework(&formula);
  if (FAILED(hr)) return hr;
  host::HostPtr<IClassRegistry> registry;
  host::HostPtr<ITypeRegistry> types;
  hr = CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IClassRegistry,
                        reinterpret_cast<void**>(registry.Out()));
  if (SUCCEEDED(hr))
    hr = CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_ITypeRegistry,
                          reinterpret_cast<void**>(types.Out()));
  if (SUCCEEDED(hr)) hr = host::RegisterCalculationClasses(registry.Get(), types.Get());
  if (SUCCEEDED(hr)) hr = host::RegisterTestDocumentClass(registry.Get(), types.Get(), formula.Get());
  if (SUCCEEDED(hr) && formulaClass) *formulaClass = formula;
  return hr;
}

}  // namespace ondara_host
