// What one benchmark run pulls: a chain's events up to the record end, timed, with an optional digest or dump.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "hostapi/CalcEnum.h"

namespace host {
class DataDocument;
}

namespace bench {

// Where the records of a run go besides being counted (outside the timed pass).
struct RecordSink {
  uint32_t* digest = nullptr;  // FNV-1a over the records' bytes
  std::FILE* dump = nullptr;   // the records' bytes
};

// Pulls every event of the record; answers how many there were.
long long PullEvents(IEnumEventEx& chain, std::vector<unsigned char>& buffer, int32_t recordSize,
                     const RecordSink& sink);

// Seconds on the performance counter since `from` (a QueryPerformanceCounter value).
double SecondsSince(long long from);
long long Now();

// Runs formula through the stand-in host's formula engine over every record of document, as the host's
// events command does; only the pull of events is timed (parsing, sources and start tick are not). Adds the
// events to *events and the timed seconds to *seconds; a failure HRESULT with a message in *error.
HRESULT TimeFormula(host::DataDocument* document, const std::wstring& formula, const RecordSink& sink,
                    long long* events, double* seconds, std::wstring* error);

}  // namespace bench
