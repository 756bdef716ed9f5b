// The unit of each measurement, given the unit of the analysed channel.
#pragma once

#include "base/UnitPrefix.h"

#include <string>

namespace ZR::Doc {

// Times are seconds ("s", or "s" with prefix 'm' for intervals measured in milliseconds),
// levels take the channel's unit, slopes the channel's unit per second and areas the channel's
// unit times seconds (with "Hz" and "Units.s" for a channel without a unit: empty or one
// blank), counts and time stamps have no unit, and ids no type lists answer "?".
QOR::UnitWithPrefix ParameterUnits(int id, const std::wstring& channelUnits, wchar_t channelPrefix);

}  // namespace ZR::Doc
