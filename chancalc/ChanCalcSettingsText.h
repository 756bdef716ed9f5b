// The one-line text in which the host keeps a channel calculation's settings with its channel.
#pragma once

#include <cstdint>
#include <string>

namespace ZR::ChanCalc {

// The highest measurement index a calculated channel can show.
inline constexpr int32_t kLastParameterId = 58;
// Decimal places of the channel's values.
inline constexpr int32_t kMaxDecimalPlaces = 6;

struct SettingsValues {
  int32_t parameterId = 2;
  float scaleTop = 1.0f;
  float scaleBottom = -1.0f;
  int32_t decimalPlaces = 4;
  bool autoScale = true;
  int32_t outputChannel = 0;
};

// Version, the six values and the closing marker 777, separated by single TABs, in the classic
// locale; scales in general notation with six significant digits and two-digit exponents.
std::wstring FormatSettingsText(const SettingsValues& values);

// Reads the fields in order into values and stops at the first one that cannot be read or is
// out of range (parameter id 0-58, decimal places 0-6, finite scales, auto scale 0 or 1); that
// field and the later ones keep their values. True when the closing marker was read as 777.
// Leading white space of each field is skipped; the version is not checked.
bool ParseSettingsText(const wchar_t* text, SettingsValues& values);

}  // namespace ZR::ChanCalc
