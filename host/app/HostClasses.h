// The stand-in host's own classes, registered with the framework at start-up before a module is
// loaded: the formula enumerator class, the formula calculation classes and the test documents.
#pragma once

#include "host/common/HostPtr.h"
#include "hostapi/CalcEnumClass.h"

namespace ondara_host {

// Once the framework's class objects are registered in the process. formulaClass (may be null)
// receives the formula enumerator class as the registry hands it out.
HRESULT RegisterHostClasses(host::HostPtr<ICalcEnumClass2>* formulaClass = nullptr);

}  // namespace ondara_host
