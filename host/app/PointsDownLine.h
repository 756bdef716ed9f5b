// The analyze command's words for a trace whose peaks point down, where a search for upward peaks finds none of
// them: how far it reaches below the level it holds longest and above it, and the downward search that finds its
// events.
#pragma once

#include "host/app/NoEventsLine.h"

#include <string>

namespace ondara_host {

// Where the trace's events point down (at least twice as far below its rest as above) and reach farther than the
// minimum height (setting 1006), the types that measure upward peaks (Cardiac Action Potential, type "1", and Action
// Potential) find none of them, only the noise on the rest between: "; the trace's peaks point down: it reaches
// 0.0954 V (95.4 mV) below the level it holds longest and 0.00892 V (8.92 mV) above it, and Action Potential finds
// upward peaks only: find them as downward events with General - Unstimulated, --type 0 --set \"1010=...\" (it
// finds 10)", the search's part where it finds any. Empty otherwise.
std::string DownwardText(const AnalysisFindings& f, const std::wstring& type);

// Where no setting tried gives rows that are all action potentials, why, plainly: the trace's peaks point down
// where it reaches farther below its rest than above (as DownwardText says it), else the peaks the detector passes
// are the noise's or stand on the events' own course.
std::string NoActionPotentialsText(const AnalysisFindings& f, const std::wstring& type);

// For the cycle detector searching upward on a trace whose events point down: "; the trace's peaks point down: ...,
// and the detection settings (1010) search upward: downward, --set \"1010=...\", the detector finds 10", where the
// same settings turned downward find any. Empty otherwise.
std::string CycleDownwardText(const AnalysisFindings& f);

}  // namespace ondara_host
