// Shared helpers of the enumerators: number texts, lower-casing, and questions to host objects.
#pragma once

#include "base/String.h"
#include "enumerators/framework/EventRecords.h"

#include <unknwn.h>

#include <cstdint>
#include <string>
#include <vector>

struct IHostDataDocument;

namespace ExtLib {

// Rounds half away from zero to int32, saturating at the int32 range; NaN gives 0.
int32_t RoundToLong(double x) noexcept;

// "infinity", "-infinity" or "NaN" for non-finite values, else the default floating format
// with the given precision (classic locale).
std::wstring FormatDouble(double x, int precision);

std::wstring LongToText(int32_t x);
QOR::String LongToString(int32_t x);

// Gives text its own buffer when shared and lower-cases it.
void LowerCaseInPlace(QOR::String& text);

// Questions to the host's data document. Each answers false, an empty text or 0 when the
// document is missing or the host call fails.

// The channel's description as the host lists it.
bool GetChannelName(IHostDataDocument* document, int32_t channel, std::wstring* name);
// The channel's title in the record, else the title of the channel as a whole.
std::wstring GetChannelTitle(IHostDataDocument* document, int32_t channel, int32_t record);
// The channel's units in the record, else those of the channel as a whole.
std::wstring GetChannelUnits(IHostDataDocument* document, int32_t channel, int32_t record);
// True when the units texts of the channels are not all the same.
bool ChannelUnitsDiffer(IHostDataDocument* document, const std::vector<int32_t>& channels,
                        int32_t record);
// Ticks from start to end, across records (each record's length counted); 0 when end lies
// before start.
int64_t CountTicks(IHostDataDocument* document, TickPosition start, TickPosition end);
// The selection's start and end (end not included); false when nothing is selected.
bool GetSelectionStart(IHostDataDocument* document, TickPosition* start);
bool GetSelectionEnd(IHostDataDocument* document, TickPosition* end);

}  // namespace ExtLib
