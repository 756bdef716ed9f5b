// The host's formula enumerator: an enumerator chain built from formula text, answering as its
// outermost enumerator.
#pragma once

#include "host/common/ErrorText.h"
#include "host/common/HostPtr.h"
#include "host/formula/EnumClassCatalog.h"
#include "hostapi/CalcEnum.h"
#include "hostapi/CalcEnumClass.h"

#include <string>

namespace host {

// Makes a formula enumerator (one reference) created by formulaClass over dataContext (the
// data file, may be null). classes lists the enumerator classes its formulas may call.
HRESULT CreateFormulaEnumerator(ICalcEnumClass2* formulaClass, uint32_t typeId,
                                ClassListSource classes, IUnknown* dataContext, ICalcEnum** out);

}  // namespace host
