// The cycle detector's search for a channel's downward events, as the analyze command's lines
// advise it where an upward analysis misses them.
#pragma once

#include "host/app/NoEventsLine.h"

#include <cstdint>
#include <string>

namespace ondara_host {

// The search's settings (1010) and the events it finds with them on the recording.
struct DownwardSearch {
  std::string detection;  // "1 0 -1 0.5 0.016 4 50 0 0 0": downward, an absolute threshold
  int32_t found = 0;
};

// The downward search whose events start at least `intervalMs` apart, with the threshold that
// finds the events rather than the noise: the lowest of the heights from the noise's reach up (each
// sqrt 2 times the last, to the trace's span) at which it finds the most, or the minimum height
// (setting 1006) where that lies above the reach and finds as many. Below the reach the noise's
// own swings pass for events; a threshold far above it passes over the smaller ones. `found` 0
// when no height finds any.
DownwardSearch FindDownward(const AnalysisFindings& findings, double intervalMs);

}  // namespace ondara_host
