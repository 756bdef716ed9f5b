// The host's reading of units texts: its prefix letters and the base units it knows.
#include "host/common/UnitText.h"

#include "host/common/MessageText.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace host {

namespace {

// The base units the host accepts after a prefix: SI base and derived units, and litre, molar
// and mole for concentrations.
constexpr const wchar_t* kBaseUnits[] = {
    L"V", L"A", L"s", L"Hz", L"Ohm", L"\u03A9", L"\u2126", L"S", L"F", L"W", L"J", L"N", L"Pa", L"C",
    L"T", L"H", L"Wb", L"K", L"g", L"m", L"L", L"l", L"M", L"mol", L"cd", L"Bq", L"Gy", L"Sv"};

// Units the host knows only as written: a prefix before them is no prefix ("mmin" is unknown).
constexpr const wchar_t* kUnprefixedUnits[] = {L"mmHg", L"cmH2O", L"min", L"h", L"\u00B0C", L"%", L"\u2030",
                                               L"dB", L"bpm"};

// The prefix letters a suggestion may use; the Greek small mu is read, never suggested.
constexpr wchar_t kPrefixLetters[] = L"EPTGMkmu\u00B5npfa";

constexpr wchar_t kGreekSmallMu = L'\u03BC';
constexpr wchar_t kMicroSign = L'\u00B5';

bool IsBaseUnit(const std::wstring& text) {
  for (const wchar_t* unit : kBaseUnits)
    if (text == unit) return true;
  return false;
}

bool IsUnprefixedUnit(const std::wstring& text) {
  for (const wchar_t* unit : kUnprefixedUnits)
    if (text == unit) return true;
  return false;
}

// Every text the host knows, prefixed units first.
std::vector<std::wstring> KnownUnits() {
  std::vector<std::wstring> known;
  for (const wchar_t* prefix = kPrefixLetters; *prefix; ++prefix)
    for (const wchar_t* unit : kBaseUnits) known.push_back(*prefix + std::wstring(unit));
  known.insert(known.end(), std::begin(kBaseUnits), std::end(kBaseUnits));
  known.insert(known.end(), std::begin(kUnprefixedUnits), std::end(kUnprefixedUnits));
  return known;
}

wchar_t LowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

// How many letters of a differ from b only in case; -1 when they differ in more than case.
int CaseChanges(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return -1;
  int changes = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] == b[i]) continue;
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return -1;
    ++changes;
  }
  return changes;
}

// The known unit with the fewest case changes from text; empty when none, or two are as near.
std::wstring NearestInCase(const std::wstring& text) {
  std::wstring nearest;
  int fewest = -1;
  bool tie = false;
  for (const std::wstring& unit : KnownUnits()) {
    const int changes = CaseChanges(text, unit);
    if (changes < 0) continue;
    if (fewest < 0 || changes < fewest) {
      nearest = unit;
      fewest = changes;
      tie = false;
    } else if (changes == fewest && unit != nearest) {
      tie = true;
    }
  }
  return tie ? std::wstring() : nearest;
}

bool IsStrayCharacter(wchar_t c) {
  return c < 0x20 || c == 0x7F || c == L' ' || c == L'[' || c == L']' || c == L'(' || c == L')' ||
         IsInvisibleCharacter(static_cast<char32_t>(c));
}

// value times 10 to the power. Negative powers divide by the exact power of ten (every power up to
// 1e22 is an exact double, and so is each step of this product), so whole values stay exact.
double TimesPowerOfTen(double value, int power) noexcept {
  double scale = 1.0;
  for (int i = std::abs(power); i > 0; --i) scale *= 10.0;
  return power < 0 ? value / scale : value * scale;
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
    case L'u': case kMicroSign: case kGreekSmallMu: return -6;
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
    parts.prefix = text[0] == kGreekSmallMu ? kMicroSign : text[0];
    parts.baseUnit = text.substr(1);
    return parts;
  }
  parts.baseUnit = text;
  return parts;
}

bool IsKnownUnitText(const std::wstring& text) {
  return IsBaseUnit(text) || IsUnprefixedUnit(text) || SplitUnitText(text).prefix != 0;
}

std::wstring NearestKnownUnit(const std::wstring& text) {
  std::wstring letters;
  for (const wchar_t c : text)
    if (!IsStrayCharacter(c)) letters += c;
  if (letters != text && IsKnownUnitText(letters)) return letters;
  std::wstring nearest = NearestInCase(letters);
  if (!nearest.empty()) return nearest;
  if (letters.size() >= 3 && letters[0] == letters[1] && IsKnownUnitText(letters.substr(1)))
    return letters.substr(1);
  return std::wstring();
}

double ToBaseUnit(double value, wchar_t prefix) noexcept {
  return TimesPowerOfTen(value, UnitPrefixPower(prefix));
}

std::string ScaledNumberText(double value, int power, int figures) {
  char text[64];
  const double scaled = TimesPowerOfTen(value, power);
  if (!std::isfinite(value) || (std::isfinite(scaled) && (value == 0.0 || std::fabs(scaled) >= DBL_MIN)))
    return NumberText(scaled, figures);
  // Beyond a double: the value's own figures, with the power added to its exponent.
  std::snprintf(text, sizeof text, "%.*e", figures > 0 ? figures - 1 : 0, value);
  std::string digits(text);
  const size_t e = digits.find('e');
  const int exponent = std::atoi(digits.c_str() + e + 1) + power;
  digits.erase(e);
  if (digits.find('.') != std::string::npos) {
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.back() == '.') digits.pop_back();
  }
  std::snprintf(text, sizeof text, "e%+03d", exponent);
  return digits + text;
}

}  // namespace host
