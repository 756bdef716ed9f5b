// SI unit prefixes and the host's prefix indexes.
#include "base/UnitPrefix.h"

#include <cstdlib>

#include "base/OStringStream.h"

namespace QOR {

int PrefixExponent(wchar_t letter) noexcept {
  switch (letter) {
    case L'E': return 18;
    case L'P': return 15;
    case L'T': return 12;
    case L'G': return 9;
    case L'M': return 6;
    case L'k': return 3;
    case L'm': return -3;
    case L'u': case kMicroSign: return -6;
    case L'n': return -9;
    case L'p': return -12;
    case L'f': return -15;
    case L'a': return -18;
    default: return 0;
  }
}

double PrefixMultiplier(wchar_t letter) noexcept {
  const int exponent = PrefixExponent(letter);
  // 10^|e| by repeated squaring: every power up to 10^18 is an exact double.
  double power = 1.0;
  double base = 10.0;
  for (int e = std::abs(exponent); e != 0; e >>= 1) {
    if (e & 1) power *= base;
    base *= base;
  }
  return exponent < 0 ? 1.0 / power : power;
}

int32_t PrefixIndexFromLetter(wchar_t letter) noexcept {
  switch (letter) {
    case 0: return 1;
    case L'a': return 2;
    case L'f': return 3;
    case L'p': return 4;
    case L'n': return 5;
    case L'u': case kMicroSign: return 6;
    case L'm': return 7;
    case L'k': return 9;
    case L'M': return 10;
    case L'G': return 11;
    default: return 0;
  }
}

wchar_t PrefixLetterFromIndex(int32_t index) noexcept {
  switch (index) {
    case 2: return L'a';
    case 3: return L'f';
    case 4: return L'p';
    case 5: return L'n';
    case 6: return kMicroSign;
    case 7: return L'm';
    case 9: return L'k';
    case 10: return L'M';
    case 11: return L'G';
    default: return 0;
  }
}

std::wstring FormatUnitPrefix(const UnitWithPrefix& unit) {
  if (!unit.prefix) return unit.baseUnit;
  OStringStream text;
  text << unit.prefix << unit.baseUnit.c_str();
  const String written = text.str();
  return std::wstring(written.GetText(), written.GetText() + written.Length());
}

}  // namespace QOR
