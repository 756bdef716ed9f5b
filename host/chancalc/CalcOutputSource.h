// The output source the host makes for a module's calculated channel: its format and units.
#pragma once

#include "host/common/HostPtr.h"
#include "hostapi/ChannelCalc.h"

#include <unknwn.h>

#include <string>

namespace host {

// A new output source (one reference) holding the format and unit text.
HostPtr<IUnknown> CreateCalcOutputSource(const ChannelCalcFormat& format, const std::wstring& units);
// The format of an output source made by CreateCalcOutputSource; false for any other object.
bool OutputSourceFormat(IUnknown* source, ChannelCalcFormat& format, std::wstring* units = nullptr);

}  // namespace host
