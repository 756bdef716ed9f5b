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

// The call with another value for its argument at `position` (0 is the channel's, 1 the height, 2
// the peak detector's minimum width, or the width filter's; a call nested in it is one argument);
// the call as it is when it has no such argument.
std::wstring CallWithArgument(const std::wstring& call, int position, double value);

// The call with another height, its second argument (after the channel).
inline std::wstring CallWithHeight(const std::wstring& call, double height) { return CallWithArgument(call, 1, height); }

// The events the call finds over the recording; -1 when it does not run.
int32_t EventsFound(host::DataDocument* data, ICalcEnumClass2* formulaClass, const std::wstring& call);

// The largest height below `below` at which the call still finds an event, to four figures; 0 when
// it finds none at any height.
double HighestHeightFound(host::DataDocument* data, ICalcEnumClass2* formulaClass, const std::wstring& call,
                          double below);

}  // namespace ondara_host
