// What the dialog says of an edit whose text is no number.
#include "settingsdlg/NumberTextError.h"

#include "base/OFormatStream.h"
#include "platform/owl/TModule.h"
#include "settingsdlg/SettingsDlgStringIds.h"

namespace ZR {
namespace {

constexpr size_t kQuotedCharacters = 40;

QOR::String ModuleText(uint32_t id) { return QOR::String(OWL::TModule::Default().GetHandle(), id, true); }

// "the point (.)", "the comma (,)", or the separator itself in quotes.
std::wstring SeparatorName(wchar_t separator) {
  if (separator == L'.') return ModuleText(IDS_SETTINGS_DECIMAL_POINT).GetText();
  if (separator == L',') return ModuleText(IDS_SETTINGS_DECIMAL_COMMA).GetText();
  return L"\"" + std::wstring(1, separator) + L"\"";
}

}  // namespace

Doc::MessageAndCaption NumberNeededError() {
  return {ModuleText(IDS_SETTINGS_NUMBER_NEEDED), ModuleText(IDS_SETTINGS_NUMBER_CAPTION)};
}

Doc::MessageAndCaption NotANumberError(const std::wstring& text, wchar_t decimalSeparator) {
  const std::wstring shown = text.size() <= kQuotedCharacters ? text : text.substr(0, kQuotedCharacters) + L"...";
  QOR::OFormatStringStream message(ModuleText(IDS_SETTINGS_NOT_A_NUMBER));
  message << shown.c_str() << SeparatorName(decimalSeparator).c_str();
  return {message.str(), ModuleText(IDS_SETTINGS_NUMBER_CAPTION)};
}

}  // namespace ZR
