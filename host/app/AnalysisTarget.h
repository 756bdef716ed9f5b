// What the analysis will look at, checked before it runs: the selection when the settings ask for
// it, and the host objects the analysis keeps its markers in.
#pragma once

#include "host/data/DataDocument.h"
#include "hostapi/DocumentSettings.h"

#include <string>

namespace ondara_host {

// Empty when the analysis has something to analyse; else the line saying there is no selection
// (setting 2004 asks for it; while sampling the analysis follows the sampled data instead) or
// that a marker object setting (2023 to 2025) names no object.
std::string AnalysisTargetRefusal(IDocumentSettingsScript* settings, host::DataDocument& data, bool whileSampling);

}  // namespace ondara_host
