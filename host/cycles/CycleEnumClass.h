// The class object of the host's cycle detector, called "PXDetect" in formulas.
#pragma once

#include "host/common/HostPtr.h"
#include "hostapi/CalcEnumClass.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/TypeRegistry.h"

namespace host {

// A new class object (one reference) answering typeId.
HostPtr<ICalcEnumClass2> CreateCycleEnumClass(uint32_t typeId);

// Makes the class object and registers it with the framework's class registry, so that formulas find it.
HRESULT RegisterCycleEnumClass(IClassRegistry* registry, ITypeRegistry* types);

}  // namespace host
