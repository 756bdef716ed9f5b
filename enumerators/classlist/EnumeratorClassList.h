// The enumerator class objects of the module, in the order they are registered with the host.
#pragma once

#include "hostapi/CalcEnumClass.h"

#include <vector>

struct IClassRegistry;

namespace CalcEnums {

// The class objects whose enumerators the module has, newest first: the reverse of the registry
// table's construction order, so "Selector" comes first and "CacheSelector" last. Static
// objects: the host need not count them.
std::vector<ICalcEnumClass2*> EnumeratorClassObjects();

// Hands every enumerator class object, in that order, to the framework's class registry.
// Results of the individual registrations are not examined.
void RegisterEnumeratorClasses(IClassRegistry* registry) noexcept;

}  // namespace CalcEnums
