// How the host reads a units text: an SI prefix letter before a base unit it knows ("mV"), or a
// base unit alone ("V", "mmHg", "min").
#pragma once

#include <string>

namespace host {

struct UnitParts {
  std::wstring baseUnit;
  wchar_t prefix = 0;  // 0: none
};

// A prefix letter is split off only when the text is not itself a known base unit and the rest
// is one: "mV", "pA", "kPa", "TV", "\u00B5V" and "uV" have prefixes; "Pa", "mol", "mmHg" and "min"
// have none. Any text the host does not know is a base unit without prefix.
UnitParts SplitUnitText(const std::wstring& text);

// The power of ten of a prefix letter (E 18 down to a -18, u and the micro sign -6); 0 for none.
int UnitPrefixPower(wchar_t prefix) noexcept;

// value in units with the prefix, expressed in the base unit (60 with 'm' gives 0.06). Negative
// powers divide by the exact power of ten, so whole values of the prefixed unit stay exact.
double ToBaseUnit(double value, wchar_t prefix) noexcept;

}  // namespace host
