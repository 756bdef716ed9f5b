// The explanations the enumerator checks attach to their failures, with the numbers that show
// what went wrong.
#pragma once

#include "base/String.h"

#include <cstdint>
#include <string>

namespace SelfCheck {

// "Bounce gave different result! Peak was at <stored>, but bouncing put it at <bounced>."
QOR::String BounceMessage(int32_t stored, int32_t bounced);
// "Incorrect position after SetSources (<position> instead of <expected> in record with <ticks> ticks)."
QOR::String PositionMessage(int32_t position, int32_t expected, int32_t ticks);
// "Event #<index> differs between online and offline (<online> vs <offline>)."
QOR::String EventDiffersMessage(uint32_t index, const std::wstring& online, const std::wstring& offline);
// "Offline found <offline> events, but online found <online> events!"
QOR::String EventCountMessage(uint32_t offline, int32_t online);

}  // namespace SelfCheck
