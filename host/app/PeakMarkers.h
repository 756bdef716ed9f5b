// The peak markers the module attached to the analysis channel: the events of each attached
// object's formula, as the analyze command prints and counts them.
#pragma once

#include "host/data/DataDocument.h"
#include "hostapi/CalcEnumClass.h"

#include <cstdint>
#include <string>

namespace ondara_host {

struct PeakMarkers {
  // Each object's records as TAB-separated text (a heading line, one line per record), then the
  // line saying how many events were found; or the line saying why a formula did not run.
  std::string text;
  bool failed = false;
  int32_t events = 0;
  int32_t records = 0;
};

// The markers of the objects attached to channel (counted from 0), evaluated from each object's
// stored formula.
PeakMarkers ReadPeakMarkers(host::DataDocument* document, ICalcEnumClass2* formulaClass, int32_t channel);

// "--event: 'N': the analysis found M events" when the analysis has no event N; else empty.
std::string EventOptionRefusal(int32_t event, const PeakMarkers& markers);

}  // namespace ondara_host
