// What the analyze command says when an analysis found no events: what the detector looked for,
// in the units a user gave it.
#pragma once

#include "host/data/Recording.h"
#include "hostapi/DocumentSettings.h"

#include <cstdint>
#include <string>

namespace ondara_host {

// "found 0 events: ..." for the types that look for a height: the minimum height (setting 1006)
// in the base unit and the channel's own, and what most likely kept the peaks out (a height above
// all the trace spans, or the width filter); for the types that use the host's cycle detector its
// settings (1010). channel counts from 0.
std::string NoEventsLine(IDocumentSettingsScript* settings, const host::Recording& recording, int32_t channel);

}  // namespace ondara_host
