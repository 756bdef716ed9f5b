// ZR::Doc setting texts given from outside: taking them for their setting, and the words for the
// ones refused.
#include "document/SettingTextCheck.h"

#include "base/ExactDoubleText.h"
#include "base/OFormatStream.h"
#include "document/DocumentStringIds.h"
#include "document/SettingIds.h"
#include "document/SettingTexts.h"
#include "document/StrictSettingText.h"
#include "document/ZRSettingIO.h"
#include "document/ZRSetting_PXDetSet.h"
#include "hostclient/ModuleInstance.h"

#include <windows.h>

#include <cfloat>
#include <cmath>
#include <cwchar>
#include <string>

namespace ZR::Doc {
namespace {

// Characters of a value a message quotes before it cuts.
constexpr int kQuotedCharacters = 40;

QOR::String Words(uint32_t id) { return QOR::String(GetModuleInstance(), id, true); }

// The fault of a text that does not have the form of one value of the setting's kind.
TextFault FormFault(const ZRSetting& setting, const QOR::String& text) {
  if (IsStrictSettingText(setting.Kind(), text)) return TextFault::kNone;
  if (setting.Kind() == kSettingBool) return TextFault::kNotSwitch;
  if (text.IsEmpty()) return TextFault::kEmpty;
  // A number too large for its kind has the form but no value: its size is what is wrong, and
  // for a double that makes it no finite number ("1e400").
  if (HasNumberForm(setting.Kind(), text))
    return setting.Kind() == kSettingDouble && std::isinf(std::wcstod(text.GetText(), nullptr)) ? TextFault::kNotFinite
                                                                                                 : TextFault::kOutOfRange;
  std::wstring pointed = text.GetText();
  for (wchar_t& c : pointed)
    if (c == L',') c = L'.';
  if (setting.Kind() == kSettingDouble && pointed != text.GetText() &&
      IsStrictSettingText(kSettingDouble, QOR::String(pointed.c_str())))
    return TextFault::kDecimalComma;
  return TextFault::kNotNumber;
}

// The analysis type must name one of the six types; the setting also stores 6.
bool KeepsRules(const ZRSetting& setting) {
  if (!setting.IsValid()) return false;
  return setting.Id() != kSettingAnalysisType || (setting.AsDouble() >= 0.0 && setting.AsDouble() <= 5.0);
}

TextFault TakeDetectionText(ZRSetting_PXDetSet& setting, const QOR::String& text) {
  if (HoldsNul(text)) return TextFault::kDetectionUnreadable;
  if (!setting.GetObject()) {
    setting.LoadText(text);
    return TextFault::kNone;
  }
  const QOR::String previous = setting.ToText(true);
  if (!setting.LoadText(text)) return TextFault::kDetectionUnreadable;
  if (setting.IsValid()) return TextFault::kNone;
  setting.LoadText(previous);
  return TextFault::kDetectionInvalid;
}

QOR::String Range(uint32_t id, const std::wstring& low, const std::wstring& high) {
  QOR::OFormatStringStream words(Words(id));
  words << low.c_str() << high.c_str();
  return words.str();
}

// Which values the setting takes, from its kind and bounds.
QOR::String RangeWords(const ZRSetting& setting) {
  if (const auto* number = dynamic_cast<const ZRSettingInt*>(&setting)) {
    const uint32_t id = setting.Kind() == kSettingInt10 ? IDS_ZR_TEXT_RANGE_TENS : IDS_ZR_TEXT_RANGE_WHOLE;
    return Range(id, std::to_wstring(number->GetMinimum()), std::to_wstring(number->GetLargestValid()));
  }
  if (const auto* number = dynamic_cast<const ZRSettingLong*>(&setting))
    return Range(IDS_ZR_TEXT_RANGE_WHOLE, std::to_wstring(number->GetMinimum()),
                 std::to_wstring(number->GetLargestValid()));
  if (const auto* number = dynamic_cast<const ZRSettingDouble*>(&setting)) {
    if (number->GetMinimum() <= -DBL_MAX && number->GetLargestValid() >= DBL_MAX) return Words(IDS_ZR_TEXT_ANY_NUMBER);
    return Range(IDS_ZR_TEXT_RANGE_NUMBER, QOR::ExactDoubleText(number->GetMinimum()),
                 QOR::ExactDoubleText(number->GetLargestValid()));
  }
  return Words(IDS_ZR_TEXT_NOT_NUMBER);
}

QOR::String OutOfRangeWords(const ZRSetting& setting) {
  if (setting.Id() == kSettingAnalysisType) return Words(IDS_ZR_TEXT_ANALYSIS_TYPES);
  // The stimulus method's message is a placeholder the dialog never shows.
  const QOR::String own = SettingErrorText(setting.Id()).message;
  if (setting.Id() != kSettingStimulusMethod && own != SettingErrorText(kNoSetting).message) return own;
  return RangeWords(setting);
}

}  // namespace

TextFault TakeSettingText(ZRSetting& setting, const QOR::String& text) {
  if (auto* detection = dynamic_cast<ZRSetting_PXDetSet*>(&setting)) return TakeDetectionText(*detection, text);
  const TextFault form = FormFault(setting, text);
  if (form != TextFault::kNone) return form;
  const QOR::String previous = setting.ToText(true);
  ReadSettingTextStrictly(setting, text);
  if (KeepsRules(setting)) return TextFault::kNone;
  // "inf" and "nan" have the form ToText writes for them, but no setting takes them.
  const bool finite = setting.Kind() != kSettingDouble || std::isfinite(setting.AsDouble());
  ReadSettingTextStrictly(setting, previous);
  return finite ? TextFault::kOutOfRange : TextFault::kNotFinite;
}

QOR::String TextFaultWords(const ZRSetting& setting, TextFault fault) {
  switch (fault) {
    case TextFault::kNone:
      return QOR::String();
    case TextFault::kEmpty:
      return Words(IDS_ZR_TEXT_NUMBER_NEEDED);
    case TextFault::kNotSwitch:
      return Words(IDS_ZR_TEXT_SWITCH);
    case TextFault::kDecimalComma:
      return Words(IDS_ZR_TEXT_DECIMAL_COMMA);
    case TextFault::kNotNumber:
      return Words(setting.Kind() == kSettingDouble ? IDS_ZR_TEXT_NOT_NUMBER : IDS_ZR_TEXT_NOT_WHOLE);
    case TextFault::kOutOfRange:
      return OutOfRangeWords(setting);
    case TextFault::kNotFinite:
      return Words(IDS_ZR_TEXT_NOT_FINITE);
    case TextFault::kDetectionUnreadable: {
      // The host's detector says best what its text lacks.
      const auto* detection = dynamic_cast<const ZRSetting_PXDetSet*>(&setting);
      if (detection != nullptr && !detection->GetRefusal().IsEmpty()) return detection->GetRefusal();
      return Words(IDS_ZR_TEXT_DETECTION_UNREADABLE);
    }
    case TextFault::kDetectionInvalid:
      return Words(IDS_ZR_TEXT_DETECTION_INVALID);
  }
  return QOR::String();
}

QOR::String QuotedSettingText(const QOR::String& text) {
  const int length = text.Length();
  int shown = length <= kQuotedCharacters ? length : kQuotedCharacters;
  if (shown < length && IS_HIGH_SURROGATE(text.GetText()[shown - 1])) --shown;  // a pair stays whole
  std::wstring quoted = L"\"";
  for (int i = 0; i < shown; ++i) {
    const wchar_t c = text.GetText()[i];
    // Control characters (a NUL among them) would cut or break the message's one line.
    if (c < 0x20 || c == 0x7F) {
      wchar_t escaped[8];
      swprintf(escaped, 8, L"\\x%02X", static_cast<unsigned>(c));
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  if (shown == length) return QOR::String((quoted + L"\"").c_str());
  QOR::OFormatStringStream count(Words(IDS_ZR_TEXT_LENGTH));
  count << length;
  return QOR::String((quoted + L"...\" " + count.str().GetText()).c_str());
}

}  // namespace ZR::Doc
