// Registering test enumerator classes with the stand-in framework.
#include "tests/support/TestEnumClass.h"

#include "host/common/HostPtr.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/TypeRegistry.h"

#include <objbase.h>

namespace testing_support {

uint32_t RegisterTestEnumClass(const GUID& guid, uint16_t number, const wchar_t* name,
                               TestEnumClass::ContextMaker make) {
  host::HostPtr<IClassRegistry> registry;
  host::HostPtr<ITypeRegistry> types;
  if (FAILED(CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IClassRegistry,
                              reinterpret_cast<void**>(registry.Out()))) ||
      FAILED(CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_ITypeRegistry,
                              reinterpret_cast<void**>(types.Out()))))
    return 0;
  uint16_t index = 0;
  if (FAILED(types->RegisterGuid(&guid, &index))) return 0;
  const uint32_t typeId = (static_cast<uint32_t>(index) << 16) | number;
  host::HostPtr<ICalcEnumClass2> object;
  object.Attach(new TestEnumClass(typeId, name, std::move(make)));
  return SUCCEEDED(registry->RegisterClassObject(object.Get())) ? typeId : 0;
}

}  // namespace testing_support
