// The one line a command prints when a recording does not fit in the process's memory.
#pragma once

#include <string>

namespace ondara_host {

// Writes "FILE: the recording is too large for memory (N MB)" on stderr (without a file, for a
// recording sampled from a formula: "the recording is too large for memory") and answers status 2,
// as for any input the run cannot take.
int ReportRecordingTooLarge(const std::wstring& recording);

}  // namespace ondara_host
