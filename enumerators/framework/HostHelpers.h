// Shared helpers of the enumerators: number texts, lower-casing, and questions to host objects.
#pragma once

#include "base/String.h"

#include <cstdint>
#include <string>

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

}  // namespace ExtLib
