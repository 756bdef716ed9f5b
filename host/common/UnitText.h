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
// have none. The Greek small mu ("\u03BCV", as many programs write micro) is answered as the micro
// sign, the letter modules know. Any text the host does not know is a base unit without prefix.
UnitParts SplitUnitText(const std::wstring& text);

// Whether the host knows the text: a base unit it takes a prefix before, with or without one, or
// a unit it takes only as written (mmHg, cmH2O, min, h, \u00B0C, %, \u2030, dB, bpm).
bool IsKnownUnitText(const std::wstring& text);

// The known unit an unknown text plainly stands for, tried in this order: the text without
// spaces (invisible ones too), brackets and control characters ("m V", "mV]"); the known unit
// with the fewest letters in another case ("mv" is mV, not MV; "pa" is none, pA and Pa being as
// near); the text without its prefix letter written twice ("mmV"). Empty when no one unit is plain.
std::wstring NearestKnownUnit(const std::wstring& text);

// The power of ten of a prefix letter (E 18 down to a -18, u, the micro sign and the Greek small
// mu -6); 0 for none.
int UnitPrefixPower(wchar_t prefix) noexcept;

// value in units with the prefix, expressed in the base unit (60 with 'm' gives 0.06). Negative
// powers divide by the exact power of ten, so whole values of the prefixed unit stay exact.
double ToBaseUnit(double value, wchar_t prefix) noexcept;

// value times 10 to the power, written as "%.*g" with that many figures writes it, even where the
// product lies beyond a double's range: 1e308 with power 3 is "1e+311", not "inf".
std::string ScaledNumberText(double value, int power, int figures);

}  // namespace host
