// The host's reading of units texts: its prefix letters and the base units it knows.
#include "host/common/UnitText.h"

#include <cstdlib>

namespace host {

namespace {

// The base units the host accepts after a prefix: SI base and derived units, and litre, molar
// and mole for concentrations.
constexpr const wchar_t* kBaseUnits[] = {
    L"V", L"A", L"s", L"Hz", L"Ohm", L"\u03A9", L"\u2126", L"S", L"F", L"W", L"J", L"N", L"Pa", L"C",
    L"T", L"H", L"Wb", L"K", L"g", L"m", L"L", L"l", L"M", L"mol", L"cd", L"Bq", L"Gy", L"Sv"};

bool IsBaseUnit(const std::wstring& text) {
  for (const wchar_t* unit : kBaseUnits)
    if (text == unit) return true;
  return false;
}

}  // namespace

int UnitPrefixPower(wchar_t prefix) noexcept {
  switch (prefix) {
    case L'E': return 18;
    case L'P': return 15;
    case L'T': return 12;
    case L'G': return 9;
    case L'M': return 6;
    case L'k': return 3;
    case L'm': return -3;
    case L'u': case L'\u00B5': return -6;
    case L'n': return -9;
    case L'p': return -12;
    case L'f': return -15;
    case L'a': return -18;
    default: return 0;
  }
}

UnitParts SplitUnitText(const std::wstring& text) {
  UnitParts parts;
  if (text.size() >= 2 && !IsBaseUnit(text) && UnitPrefixPower(text[0]) != 0 && IsBaseUnit(text.substr(1))) {
    parts.prefix = text[0];
    parts.baseUnit = text.substr(1);
    return parts;
  }
  parts.baseUnit = text;
  return parts;
}

double ToBaseUnit(double value, wchar_t prefix) noexcept {
  const int power = UnitPrefixPower(prefix);
  // Every power of ten up to 1e22 is an exact double, and so is each step of this product.
  double scale = 1.0;
  for (int i = std::abs(power); i > 0; --i) scale *= 10.0;
  return power < 0 ? value / scale : value * scale;
}

}  // namespace host
