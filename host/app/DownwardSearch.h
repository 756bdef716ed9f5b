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
  double threshold = 0.0;  // that threshold, as the text gives it
  int32_t found = 0;
};

// The downward search that finds the channel's events and nothing else.
//
// Its threshold finds the events rather than the noise: the lowest of the heights from the noise's
// reach up (each sqrt 2 times the last, to the trace's span) at which it finds the most, or the
// minimum height (setting 1006) where that lies above the reach and finds as many. Below the reach
// the noise's own swings pass for events; a threshold far above it passes over the smaller ones.
//
// Its interval is the events' own width at half height (at most `longestMs`): events that start
// closer than the interval are one, so an interval far longer than the events merges spikes in a
// burst; one as long as an event keeps its course whole, its extreme and the swing before it in
// one event. The width is the median, over the events the search finds at `longestMs`, of the time
// the signal stays beyond halfway from the rest (the level the channel holds longest) to the
// event's extreme; two figures.
//
// `found` 0 when no height finds any.
DownwardSearch FindDownward(const AnalysisFindings& findings, double longestMs);

}  // namespace ondara_host
