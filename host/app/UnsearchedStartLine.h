// What the analyze command says when the cycle detector passes over an event at a record's start.
#pragma once

#include "host/data/Recording.h"
#include "hostapi/DocumentSettings.h"

#include <cstdint>
#include <string>

namespace ondara_host {

// For the types that use the host's cycle detector (0 and 2): a line naming the records that open within an
// event, whose start lies before the record so that the detector does not find it, and one naming the records too
// short for a relative threshold to measure their noise, searched for no event; empty when there are none.
// channel counts from 0.
std::string UnsearchedStartLine(IDocumentSettingsScript* settings, const host::Recording& recording,
                                int32_t channel);

}  // namespace ondara_host
