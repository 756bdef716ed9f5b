// A detector's call in the formulas the module gave the recording's objects, and the events it
// finds when run alone.
#pragma once

#include "host/data/DataDocument.h"
#include "hostapi/CalcEnumClass.h"

#include <cstdint>
#include <string>

namespace ondara_host {

// The first call of the detector `name` (its name and opening parenthesis, "erstimdet(") in the
// objects' formulas, as it runs in the analysis: "erstimdet( ch2, 1, 1, 10, 10, 1, 0, 0, 0, 0)";
// empty when there is none.
std::wstring DetectorCall(host::DataDocument& data, const wchar_t* name);

// The call with another height, its second argument (after the channel).
std::wstring CallWithHeight(const std::wstring& call, double height);

// The events the call finds over the recording; -1 when it does not run.
int32_t EventsFound(host::DataDocument* data, ICalcEnumClass2* formulaClass, const std::wstring& call);

}  // namespace ondara_host
