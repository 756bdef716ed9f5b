// ZR::Doc strict setting texts: the grammar of each kind's text and the read that follows it.
#include "document/StrictSettingText.h"

#include "base/ClassicNumber.h"

#include "document/ZRSetting.h"
#include "document/ZRSettingIO.h"

#include <cmath>
#include <cwchar>
#include <locale>
#include <sstream>
#include <string>

namespace ZR::Doc {
namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Skips a run of digits; answers how many there were.
int Digits(const wchar_t*& at) {
  int count = 0;
  for (; IsDigit(*at); ++at) ++count;
  return count;
}

bool IsWholeNumber(const wchar_t* at) {
  if (*at == L'-' || *at == L'+') ++at;
  if (Digits(at) == 0 || *at != 0) return false;
  return true;
}

// A sign, digits with an optional '.' and fraction (at least one digit in all), then an optional
// exponent: what the classic general notation writes, and the usual ways of typing it.
bool IsDecimalNumber(const wchar_t* at) {
  const wchar_t* const end = QOR::ClassicNumberEnd(at);
  return end != nullptr && *end == 0;
}

// The texts ToText writes for a double that is not finite, and their values.
bool NonFiniteValue(const QOR::String& text, double& value) {
  const std::wstring written = text.GetText();
  if (written == L"inf" || written == L"-inf") {
    value = written[0] == L'-' ? -HUGE_VAL : HUGE_VAL;
    return true;
  }
  if (written == L"nan" || written == L"-nan") {
    value = std::nan("");
    return true;
  }
  return false;
}

// The classic reading of a text the grammar accepted: false when out of T's range.
template <typename T>
bool ReadClassic(const QOR::String& text, T& value) {
  std::wistringstream in(text.GetText());
  in.imbue(std::locale::classic());
  in >> value;
  return !in.fail();
}

}  // namespace

bool HoldsNul(const QOR::String& text) {
  return std::wcslen(text.GetText()) != static_cast<size_t>(text.Length());
}

bool IsStrictSettingText(int32_t kind, const QOR::String& text) {
  const wchar_t* const chars = text.GetText();
  // What follows a NUL would go unread: "0.000\0" is no "0.0005".
  if (HoldsNul(text)) return false;
  switch (kind) {
    case kSettingBool:
      return text == QOR::String(L"t") || text == QOR::String(L"f");
    case kSettingInt:
    case kSettingInt10:
    case kSettingLong: {
      int32_t value = 0;
      return IsWholeNumber(chars) && ReadClassic(text, value);
    }
    case kSettingDouble: {
      double value = 0.0;
      return NonFiniteValue(text, value) || (IsDecimalNumber(chars) && ReadClassic(text, value));
    }
    default:
      return true;
  }
}

bool HasNumberForm(int32_t kind, const QOR::String& text) {
  if (HoldsNul(text)) return false;
  switch (kind) {
    case kSettingInt:
    case kSettingInt10:
    case kSettingLong:
      return IsWholeNumber(text.GetText());
    case kSettingDouble:
      return IsDecimalNumber(text.GetText());
    default:
      return false;
  }
}

bool ReadSettingTextStrictly(ZRSetting& setting, const QOR::String& text) {
  if (!IsStrictSettingText(setting.Kind(), text)) return false;
  double nonFinite = 0.0;
  auto* const number = dynamic_cast<ZRSettingDouble*>(&setting);
  // Stream extraction reads no such text: the value is set as the text says.
  if (number != nullptr && NonFiniteValue(text, nonFinite)) {
    number->Set(nonFinite);
    return true;
  }
  setting.FromText(text, true);
  return true;
}

}  // namespace ZR::Doc
