// The peak markers the module attached to the analysis channel, as the analyze command prints
// and counts them.
#pragma once

#include "host/data/DataDocument.h"
#include "hostapi/CalcEnumClass.h"

#include <cstdint>

namespace ondara_host {

int ReportMarkers(host::DataDocument* document, ICalcEnumClass2* formulaClass, int32_t channel);

}  // namespace ondara_host
