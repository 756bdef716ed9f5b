// Reading a decimal number in the classic notation: the grammar is scanned here and the digits
// converted by a stream in the classic locale, which never consults the C runtime's locale.
#include "base/ClassicNumber.h"

#include <cmath>
#include <cwctype>
#include <locale>
#include <sstream>
#include <string>

namespace QOR {

namespace {

const wchar_t* SkipDigits(const wchar_t* at, int& count) noexcept {
  for (; *at >= L'0' && *at <= L'9'; ++at) ++count;
  return at;
}

}  // namespace

const wchar_t* ClassicNumberEnd(const wchar_t* at) noexcept {
  if (*at == L'+' || *at == L'-') ++at;
  int digits = 0;
  at = SkipDigits(at, digits);
  if (*at == L'.') at = SkipDigits(at + 1, digits);
  if (digits == 0) return nullptr;
  if (*at != L'e' && *at != L'E') return at;
  const wchar_t* exponent = at + 1;
  if (*exponent == L'+' || *exponent == L'-') ++exponent;
  int exponentDigits = 0;
  const wchar_t* const after = SkipDigits(exponent, exponentDigits);
  return exponentDigits > 0 ? after : at;  // "1e" reads as 1, as wcstod reads it
}

double ReadClassicNumber(const wchar_t* text, const wchar_t** end) noexcept {
  if (end) *end = text;
  if (!text) return 0.0;
  const wchar_t* start = text;
  while (std::iswspace(*start)) ++start;
  const wchar_t* const stop = ClassicNumberEnd(start);
  if (!stop) return 0.0;
  if (end) *end = stop;
  try {
    std::wistringstream in(std::wstring(start, stop));
    in.imbue(std::locale::classic());
    double value = 0.0;
    in >> value;
    if (!in.fail()) return value;
    // Extraction fails beyond the range; the digits say on which side.
    const bool negative = *start == L'-';
    return std::fabs(value) > 1.0 ? (negative ? -HUGE_VAL : HUGE_VAL) : (negative ? -0.0 : 0.0);
  } catch (...) {
    if (end) *end = text;
    return 0.0;
  }
}

}  // namespace QOR
