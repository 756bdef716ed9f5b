// The unit of each measurement, given the unit of the analysed channel.
#include "document/ParameterUnits.h"

#include <cstdint>

namespace ZR::Doc {
namespace {

enum class UnitKind : uint8_t { Seconds, Milliseconds, Level, Slope, Area, None, Unknown };

constexpr int kParamIdCount = 59;

// By parameter id (measurement index).
constexpr UnitKind kUnitKinds[kParamIdCount] = {
    UnitKind::Seconds,      UnitKind::None,         UnitKind::Level,        // 0-2
    UnitKind::Milliseconds, UnitKind::Level,        UnitKind::Level,        // 3-5
    UnitKind::Unknown,      UnitKind::Unknown,      UnitKind::Unknown,      // 6-8
    UnitKind::Milliseconds, UnitKind::Area,         UnitKind::Slope,        // 9-11
    UnitKind::Slope,        UnitKind::Milliseconds, UnitKind::Milliseconds, // 12-14
    UnitKind::Level,        UnitKind::Level,        UnitKind::Milliseconds, // 15-17
    UnitKind::Milliseconds, UnitKind::Slope,        UnitKind::Slope,        // 18-20
    UnitKind::Level,        UnitKind::Unknown,      UnitKind::Milliseconds, // 21-23
    UnitKind::Milliseconds, UnitKind::Milliseconds, UnitKind::Milliseconds, // 24-26
    UnitKind::Milliseconds, UnitKind::Milliseconds, UnitKind::Milliseconds, // 27-29
    UnitKind::Milliseconds, UnitKind::Milliseconds, UnitKind::Seconds,      // 30-32
    UnitKind::Seconds,      UnitKind::Milliseconds, UnitKind::Milliseconds, // 33-35
    UnitKind::Milliseconds, UnitKind::Milliseconds, UnitKind::Milliseconds, // 36-38
    UnitKind::Milliseconds, UnitKind::Milliseconds, UnitKind::Milliseconds, // 39-41
    UnitKind::Milliseconds, UnitKind::Milliseconds, UnitKind::Level,        // 42-44
    UnitKind::Level,        UnitKind::Level,        UnitKind::Milliseconds, // 45-47
    UnitKind::Slope,        UnitKind::Level,        UnitKind::Area,         // 48-50
    UnitKind::Milliseconds, UnitKind::Slope,        UnitKind::Milliseconds, // 51-53
    UnitKind::Area,         UnitKind::Milliseconds, UnitKind::Area,         // 54-56
    UnitKind::Seconds,      UnitKind::None,                                 // 57-58
};

bool HasNoUnit(const std::wstring& units) { return units.empty() || units == L" "; }

}  // namespace

QOR::UnitWithPrefix ParameterUnits(int id, const std::wstring& channelUnits, wchar_t channelPrefix) {
  const UnitKind kind = id >= 0 && id < kParamIdCount ? kUnitKinds[id] : UnitKind::Unknown;
  switch (kind) {
    case UnitKind::Seconds:
      return {L"s", 0};
    case UnitKind::Milliseconds:
      return {L"s", L'm'};
    case UnitKind::Level:
      return {channelUnits, channelPrefix};
    case UnitKind::Slope:
      return {HasNoUnit(channelUnits) ? L"Hz" : channelUnits + L"/s", channelPrefix};
    case UnitKind::Area:
      return {HasNoUnit(channelUnits) ? L"Units.s" : channelUnits + L".s", channelPrefix};
    case UnitKind::None:
      return {L"", 0};
    case UnitKind::Unknown:
      break;
  }
  return {L"?", channelPrefix};
}

}  // namespace ZR::Doc
