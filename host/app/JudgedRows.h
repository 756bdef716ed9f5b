// Whether the rows an analysis of action potentials gives at other settings are the events: run
// again with its detector's call changed, each row's resting level and amplitude weighed against
// the trace.
#pragma once

#include "host/app/NoEventsLine.h"

#include <cstdint>
#include <string>

namespace ondara_host {

struct JudgedRows {
  int32_t rows = -1;   // -1: the analysis does not run with the call
  int32_t events = 0;  // the rows that are events
  // Rows, every one of them an event.
  bool AllEvents() const { return rows > 0 && events == rows; }
  // What a line counts at a setting: the rows where every one is an event, else none.
  int32_t Count() const { return AllEvents() ? rows : 0; }
};

// The analysis's whole formula run with `call` (the width filter's call or the peak detector's, as
// the formula holds one of them) in place of its own, and its rows judged. A row is an action
// potential where its amplitude (APA) points up by more than the noise's reach (NoiseReach: the
// noise alone rises and falls by less, so a row of the noise's own measures less), and its resting
// level (RMP) lies within half the trace's reach above the rest (the level the channel holds
// longest) of that rest: a row measured from a plateau or a repolarisation rests far above it, and
// one whose amplitude is negative stands on a fall. Rows of 0 where the call finds none.
JudgedRows JudgeRows(const AnalysisFindings& findings, const std::wstring& call);

}  // namespace ondara_host
