// SI unit prefixes: a prefix letter's power of ten, the host's prefix indexes, and units written
// as a prefix letter before a base unit.
#pragma once

#include <cstdint>
#include <string>

namespace QOR {

// The micro sign; "u" stands for it where the text has no such character.
inline constexpr wchar_t kMicroSign = L'\u00B5';

// A unit as the host keeps it: the base unit ("V") and the prefix letter ('m'; 0 for none).
struct UnitWithPrefix {
  std::wstring baseUnit;
  wchar_t prefix = 0;
};

// The power of ten of a prefix letter, E (18) down to a (-18); 0 for none or any other letter.
int PrefixExponent(wchar_t letter) noexcept;
// 10 to the letter's power: 1e-3 for 'm', 1.0 for no prefix or a letter that is none.
double PrefixMultiplier(wchar_t letter) noexcept;
// The host's prefix index: 1 for none, 2 ("a") to 11 ("G") with no 8; 0 for any other letter
// (E, P and T have no index).
int32_t PrefixIndexFromLetter(wchar_t letter) noexcept;
// The letter of a host prefix index (6 gives the micro sign); 0 for 1, 8 and any unknown index.
wchar_t PrefixLetterFromIndex(int32_t index) noexcept;
// The prefix letter followed by the base unit ("mV"); the base unit alone without a letter.
std::wstring FormatUnitPrefix(const UnitWithPrefix& unit);

}  // namespace QOR
