// The unit of the analysed channel, as the event draw classes show a calculated peak's height.
#pragma once

#include "hostclient/EventDrawContext.h"

#include <unknwn.h>

#include <cstdint>

namespace ZR::Doc {

// The unit of the channel the last analysis of the data file behind hostData ran on, in the
// record: the channel comes from the module's child data of the file (made when the file has
// none), the units text from the host. False when the file, the child data, a stored channel
// or the units text is missing, or the host cannot read it.
bool AnalysisChannelUnit(IUnknown* hostData, int32_t record, QOR::UnitWithPrefix& unit) noexcept;

}  // namespace ZR::Doc
