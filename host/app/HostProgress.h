// The host's progress objects and what tests observe of them: the texts and percentages shown,
// and a cancel the "user" gives at a chosen percentage.
#pragma once

#include "hostapi/ClassRegistry.h"
#include "hostapi/TypeRegistry.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace host {

// What every progress object of the process showed, in order. Reached by tests only.
struct ProgressLog {
  std::vector<std::wstring> titles;  // one per started object
  std::vector<std::wstring> texts;   // first lines, from Start and SetText
  std::vector<std::wstring> details; // second lines, one per started object
  std::vector<std::pair<int32_t, int32_t>> modes;  // (mode, style) of each Start
  std::vector<int32_t> percents;     // as shown (clamped)
  int32_t live = 0;                  // objects not yet released
  // The user cancels once a percentage at or above this is shown (-1: never).
  int32_t cancelAtPercent = -1;
  // Some object has answered that the user cancelled.
  bool cancelled = false;
  // Also shown on stderr as one line that updates in place (set only when stderr is a terminal).
  bool showOnTerminal = false;
  // The host shows no progress display: Start fails.
  bool unavailable = false;
};

// The process's log (the host calls its objects on its user-interface thread only).
ProgressLog& Progress();

// Registers the progress class (kHostUiClassGuid number kHostProgressClassNumber) with the
// registry, under the type id the type registry gives.
HRESULT RegisterProgressClass(IClassRegistry* registry, ITypeRegistry* types);

}  // namespace host
