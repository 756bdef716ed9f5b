// ZR::Doc strict setting texts: a value is read only when its whole text is one value of the
// setting's kind, as its text form writes it.
#pragma once

#include "base/String.h"

#include <cstdint>

namespace ZR::Doc {

class ZRSetting;

// Whether the text holds a NUL before its end (a damaged text: none is ever written so).
bool HoldsNul(const QOR::String& text);

// Whether text is one value of kind, with nothing before or after it (a NUL inside included): "t" or "f" for a switch;
// for int, multiple-of-10 and long settings a whole decimal number (a sign allowed) in the
// 32-bit range; for doubles a decimal number in the classic notation that a double holds
// ("-0.0005", "+5e-04", "1e+09"; '.' is the decimal point, no grouping; "1e400" is no double),
// or one of "inf", "-inf", "nan" and "-nan", which ToText writes for a value that is not finite.
// Detection settings are the host object's own text and are left to the object, unless they hold
// a NUL.
bool IsStrictSettingText(int32_t kind, const QOR::String& text);

// Whether a number kind's text has the form of its numbers, whatever its size ("1e400" and
// "99999999999" have it); false for the other kinds.
bool HasNumberForm(int32_t kind, const QOR::String& text);

// Sets the setting from text (classic form) only when IsStrictSettingText; otherwise false and
// the setting keeps its value. Bounds are not checked here: IsValid reports them, and reports
// every value that is not finite, so a caller that checks IsValid takes finite numbers only.
bool ReadSettingTextStrictly(ZRSetting& setting, const QOR::String& text);

}  // namespace ZR::Doc
