// Class indexes of the enumerator class ids, from the host type registry.
#include "enumerators/framework/ClassTypeIndex.h"

#include "hostclient/FrameworkAccess.h"

namespace CalcEnums {

uint16_t RegisteredIndexOf(const GUID& classId) {
  ITypeRegistry* const registry = GetTypeRegistry();
  if (!registry) return 0;
  uint16_t index = 0;
  // A failed registration leaves the index 0: the id then carries only its number.
  if (FAILED(registry->RegisterGuid(&classId, &index))) return 0;
  return index;
}

}  // namespace CalcEnums
