// The host's formula calculation classes: number 1 makes the formula settings object, number 0
// binds a calculation with those settings to a channel of a stand-in data document.
#pragma once

#include "hostapi/ClassRegistry.h"
#include "hostapi/TypeRegistry.h"

namespace host {

// {C3397303-5AAD-11D3-AB07-00A0CC40B4CE}, the class GUID of both.
extern const GUID kHostCalculationClassGuid;

// Makes both class objects and registers them with the registry under (index << 16) | number.
HRESULT RegisterCalculationClasses(IClassRegistry* registry, ITypeRegistry* types);

}  // namespace host
