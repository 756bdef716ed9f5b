// The unit of the analysed channel, as the event draw classes show a calculated peak's height.
#pragma once

#include "hostclient/EventDrawContext.h"

#include <unknwn.h>

#include <cstdint>

namespace ZR::Doc {

// Splits a units text such as "mV" into its prefix and base unit; a text of one character, or
// one whose first character is no unit prefix, is a base unit without prefix.
EventChannelUnit SplitUnitPrefix(const std::wstring& units);

// The unit of the channel the last analysis of the data file behind hostData ran on, in the
// record: the channel comes from the module's child data of the file (made when the file has
// none), the units text from the host. False when the file, the child data, a stored channel
// or the units text is missing.
bool AnalysisChannelUnit(IUnknown* hostData, int32_t record, EventChannelUnit& unit) noexcept;

}  // namespace ZR::Doc
