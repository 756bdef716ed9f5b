// Shared helpers of the enumerators: number texts, lower-casing, and questions to host objects.
#pragma once

#include "base/String.h"
#include "base/EventRecords.h"

#include <unknwn.h>

#include <cstdint>
#include <string>
#include <vector>

struct IHostChannelCalc;
struct IHostDataDocument;
struct IHostDocument;

namespace ExtLib {

// Rounds half away from zero to int32, saturating at the int32 range; NaN gives 0.
int32_t RoundToLong(double x) noexcept;

// "infinity", "-infinity" or "NaN" for non-finite values, else the default floating format
// with the given precision (classic locale).
std::wstring FormatDouble(double x, int precision);

std::wstring LongToText(int32_t x);
QOR::String LongToString(int32_t x);

// The stored formula text of the data object (id, kind) of the data document behind
// dataDocument (any interface of the host's data file or document) into *text. False, with *text
// unchanged, when the document offers no data objects or the call fails; an object without a
// formula gives true and an empty text.
bool GetObjectFormulaText(IUnknown* dataDocument, int32_t id, uint32_t kind, std::wstring* text);
// The reference text of an object: for kind 4 (a module's data object) the text the data
// document stores for it when it gives one; otherwise, and for every other kind, "ch" followed
// by id + 1.
QOR::String LongToString(IUnknown* dataDocument, int32_t id, uint32_t kind);

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

// The width, in pixels of a 96-dpi screen, over which a preview first shows the selection.
inline constexpr int32_t kDisplaySpanWidth = 400;
// The default time span, in ticks, that previews of an analysis show: storedSpan when one is
// set (at least -0.5); else the selection's length divided by width (400 on a 96-dpi screen,
// scaled to the screen's resolution by the caller) and rounded up to the next of 1, 2, 5, 10,
// 20, 50, 100, 200, 500, 1000 (2000 beyond 1000); 1.0 without a selection.
double ChooseDisplaySpan(IHostDataDocument* document, double storedSpan = -1.0,
                         int32_t width = kDisplaySpanWidth);

// Questions to the host document. Each answers false, an empty text or a default when the
// document is missing or the host call fails.

// How many channels may be offered as sources: the largest of the three channel counts the host
// document reports; 16 when there is no document or it reports none of them.
int32_t MaxOfThreeCounts(IHostDocument* hostDocument);
// The host's name of a channel as it shows it; "?" without a host document.
QOR::String GetHostObjectText(IHostDocument* hostDocument, int32_t channel);
// True when the host document's flag 0 (the host samples into it) is set.
bool HostFlagIsSet(IHostDocument* hostDocument);
// Whether the channel found by (channel, flags) in the data document of hostObject (any
// interface of the host's data file or document) carries a calculation of the class with type
// id expectedClassId; when it does and calculation is given, the calculation with a reference.
bool GetDataDocumentRange(IUnknown* hostObject, uint32_t expectedClassId, int32_t channel,
                          uint32_t flags, IHostChannelCalc** calculation = nullptr);

}  // namespace ExtLib
