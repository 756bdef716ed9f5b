// Runs an enumerator formula over a data document record by record, as the module's getter
// does, offline or fed block by block through the sampling road.
#pragma once

#include "host/data/DataDocument.h"
#include "hostapi/CalcEnumClass.h"

#include <cstdint>
#include <string>

namespace host {

struct EventRunOptions {
  std::wstring formula;
  // 0: offline, every record complete. Otherwise the samples are fed in blocks of this many
  // ticks into a live copy of the document, and the events are pulled as the sinks hear of them.
  int32_t onlineBlock = 0;
};

// The events as TAB-separated text (heading line, one line per event). On failure returns the
// HRESULT and sets *error to a message (the formula class's message for a bad formula).
HRESULT RunEventFormula(DataDocument* document, ICalcEnumClass2* formulaClass,
                        const EventRunOptions& options, std::string* output, std::wstring* error);

}  // namespace host
