// The host's range source: the part of a recording a channel calculation is set up over.
#pragma once

#include "host/common/HostPtr.h"
#include "hostapi/RangeSource.h"

namespace host {

// A new range source (one reference) answering start and end.
HostPtr<IHostRangeSource> CreateRangeSource(HostPosition start, HostPosition end);

}  // namespace host
