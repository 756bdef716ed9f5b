// The unit of the analysed channel, as the event draw classes show a calculated peak's height.
#pragma once

#include "hostapi/DataDocument.h"
#include "hostclient/EventDrawContext.h"

#include <unknwn.h>

#include <cstdint>

namespace ZR::Doc {

// The unit of the channel the last analysis of the data file behind hostData ran on, in the
// record: the channel comes from the module's child data of the file (made when the file has
// none), the units text from the host. False when the file, the child data, a stored channel
// or the units text is missing, or the host cannot read it.
bool AnalysisChannelUnit(IUnknown* hostData, int32_t record, QOR::UnitWithPrefix& unit) noexcept;

// The units of the channel in the record (-2: the whole channel) as the host gives them, split
// into base unit and prefix by the host; a text the host cannot split is all base unit; without
// a document or a units text: empty, no prefix.
QOR::UnitWithPrefix HostChannelUnit(IHostDataDocument* document, int32_t channel, int32_t record);

}  // namespace ZR::Doc
