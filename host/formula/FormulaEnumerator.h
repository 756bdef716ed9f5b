// The host's formula enumerator: an enumerator chain built from formula text, answering as its
// outermost enumerator.
#pragma once

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

// Sets the thread's error info to text, so that a caller's GetErrorInfo finds it.
void SetErrorText(const std::wstring& text);

// The description of the thread's error info (and clears it); empty when there is none.
std::wstring TakeErrorText();

}  // namespace host
