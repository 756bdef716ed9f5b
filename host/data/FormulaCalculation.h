// The host's formula calculation classes: formula settings objects, and calculations that store
// their formula on a data object of a document (the objects modules keep as markers).
#pragma once

#include "hostapi/ClassRegistry.h"
#include "hostapi/TypeRegistry.h"

namespace host {

// Registers both classes (kHostCalcClassGuid numbers 0 and 1) with the registry, under the type
// ids the type registry gives.
HRESULT RegisterFormulaCalculationClasses(IClassRegistry* registry, ITypeRegistry* types);

}  // namespace host
