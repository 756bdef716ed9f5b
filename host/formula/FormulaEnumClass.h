// The host's formula enumerator class, registered with the framework's class registry.
#pragma once

#include "host/common/HostPtr.h"
#include "host/formula/EnumClassCatalog.h"
#include "hostapi/CalcEnumClass.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/TypeRegistry.h"

namespace host {

// A new formula class (one reference) answering typeId; its formulas call the classes that
// `classes` lists when they are parsed.
HostPtr<ICalcEnumClass2> CreateFormulaEnumClass(uint32_t typeId, ClassListSource classes);

// The formula class's type id: the type registry's index of its GUID, shifted, with its number.
HRESULT FormulaEnumClassTypeId(ITypeRegistry* types, uint32_t* typeId);

// Makes the formula class over the registry's classes and registers it there.
HRESULT RegisterFormulaEnumClass(IClassRegistry* registry, ITypeRegistry* types);

// At host start-up, once the framework's class objects are registered in the process: registers
// the formula class with the framework's class registry and answers it as the registry gives it
// out (formulaClass may be null when the caller does not need it).
HRESULT RegisterFormulaEnumClassWithFramework(HostPtr<ICalcEnumClass2>* formulaClass);

}  // namespace host
