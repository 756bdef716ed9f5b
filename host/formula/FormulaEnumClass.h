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

}  // namespace host
