// Class indexes of the enumerator class ids, from the host type registry.
#include "enumerators/framework/ClassTypeIndex.h"

namespace CalcEnums {

uint16_t RegisteredIndexOf(const GUID&) { return 0; }

}  // namespace CalcEnums
