// ZR::Doc setting texts given from outside (a script's value, a stored record): whether a text is
// taken for its setting and, when it is not, why in words.
#pragma once

#include "base/String.h"

#include <unknwn.h>

namespace ZR::Doc {

class ZRSetting;

enum class TextFault {
  kNone,                // taken
  kEmpty,               // a number is needed
  kNotSwitch,           // a switch is "t" or "f"
  kDecimalComma,        // a number written with ',' as its decimal separator
  kNotNumber,           // no number of the setting's kind
  kOutOfRange,          // a number the setting's rules refuse
  kNotFinite,           // a number too large for a double, an infinity or NaN
  kDetectionUnreadable, // text the host's detection settings object does not read
  kDetectionInvalid     // detection settings the object reports invalid
};

// Sets the setting from text (classic notation) when the whole text is one value of its kind
// (IsStrictSettingText) and that value keeps the setting's rules (IsValid; the analysis type
// also names a type); otherwise the setting keeps its value and the answer says why. Detection
// settings without a host object keep the text as pending text and are taken.
TextFault TakeSettingText(ZRSetting& setting, const QOR::String& text);

// The words for a fault of a text given to setting (its kind, bounds and own message), from the
// string table; "" for kNone.
QOR::String TextFaultWords(const ZRSetting& setting, TextFault fault);

// The text as a message quotes it: between double quotes, at most 40 characters followed by
// "..." and the whole length ("(300000 characters)") when it is longer.
QOR::String QuotedSettingText(const QOR::String& text);

}  // namespace ZR::Doc
