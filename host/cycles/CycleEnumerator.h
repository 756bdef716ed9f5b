// The host's cycle detector as an enumerator: the 16-byte per-cycle records of one channel, record by record.
#pragma once

#include <cstdint>

#include "hostapi/CalcEnum.h"
#include "hostapi/CalcEnumClass.h"

namespace host {

// A new detector enumerator (one reference) created by classObject; its settings text holds the formula's
// numeric arguments after the channel (downward, hysteresis, height, interval ms, baseline ms, relative).
HRESULT CreateCycleEnumerator(ICalcEnumClass2* classObject, ICalcEnum** out);

}  // namespace host
