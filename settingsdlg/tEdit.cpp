// The edit wrappers: text in and out of the setting, and the checks of the typed text.
#include "settingsdlg/tEdit.h"

#include "controls/StaticTextErrorProvider.h"
#include "document/SettingTexts.h"
#include "document/ZRSetting.h"
#include "platform/owl/TEdit.h"
#include "settingsdlg/NumberTextError.h"

#include <cwchar>
#include <cwctype>
#include <locale>
#include <sstream>

namespace ZR {

bool EditCharactersAllowed(const std::wstring& text, bool wholeNumber) {
  if (text.size() == 1) return std::iswdigit(text[0]) != 0;
  const wchar_t* const extra = wholeNumber ? L"-e+" : L"-,.e+";
  for (const wchar_t c : text)
    if (!std::iswdigit(c) && !std::wcschr(extra, c)) return false;
  return true;
}

bool ReadsAsOneNumber(const std::wstring& text, bool wholeNumber) {
  if (text.empty()) return false;
  std::wistringstream in(text);
  in.imbue(std::locale());
  if (wholeNumber) {
    long value = 0;
    in >> value;
  } else {
    double value = 0;
    in >> value;
  }
  return !in.fail() && in.peek() == std::char_traits<wchar_t>::eof();
}

tEdit::tEdit(Doc::SettingsStore* store, OWL::TWindow* parent, int32_t controlId, Doc::SettingId settingId,
             int32_t textLimit, int32_t errorIconId)
    : tValueCtrl(store, parent, settingId, controlId, errorIconId),
      mEdit(std::make_unique<OWL::TEdit>(parent, controlId, static_cast<UINT>(textLimit))) {}

tEdit::~tEdit() = default;

std::wstring tEdit::Text() const {
  wchar_t buffer[99] = {};
  if (mEdit->GetHandle()) ::GetWindowTextW(mEdit->GetHandle(), buffer, 99);
  return buffer;
}

void tEdit::Store() {
  if (Doc::ZRSetting* const setting = Setting()) setting->FromText(QOR::String(Text().c_str()), false);
}

void tEdit::Load() {
  if (const Doc::ZRSetting* const setting = Setting()) mEdit->SetWindowText(setting->ToText(false).GetText());
  tCtrl::Load();
}

void tEdit::Enable(bool enable) { mEdit->EnableWindow(enable); }

void tEdit::UpdateVisibility() { mEdit->ShowWindow(IsHidden() ? SW_HIDE : SW_SHOW); }

void tEdit::Revalidate() { ShowError(!IsValid()); }

bool tEdit::TextReadsWhole(const std::wstring& text) const {
  const Doc::ZRSetting* const setting = Setting();
  const bool integerSetting = setting && setting->Kind() != Doc::kSettingDouble;
  return ReadsAsOneNumber(text, IntegerCharacters() || integerSetting);
}

bool tEdit::IsValid() {
  if (!tCtrl::IsValid()) return false;
  const std::wstring text = Text();
  return EditCharactersAllowed(text, IntegerCharacters()) && TextReadsWhole(text);
}

void tEdit::ShowError(bool show) {
  const std::wstring text = Text();
  const Doc::ZRSetting* const setting = Setting();
  const bool numberSetting = setting && setting->Kind() == Doc::kSettingDouble && !IntegerCharacters();
  const wchar_t decimal = std::use_facet<std::numpunct<wchar_t>>(std::locale()).decimal_point();
  const Doc::MessageAndCaption error = text.empty()                                ? NumberNeededError()
                                       : numberSetting && !TextReadsWhole(text) ? NotANumberError(text, decimal)
                                                                                  : Doc::SettingErrorText(SettingId());
  ShowErrorText(show, error.caption, error.message);
}

tEditLabelError::tEditLabelError(Doc::SettingsStore* store, OWL::TWindow* parent, int32_t controlId,
                                 int32_t labelId, Doc::SettingId settingId, int32_t textLimit)
    : tEdit(store, parent, controlId, settingId, textLimit, -1) {
  MakeLabelError(labelId);
}

void tEditLabelError::Enable(bool enable) {
  tEdit::Enable(enable);
  LabelError()->EnableWindow(enable);
}

void tEditLabelError::UpdateVisibility() {
  tEdit::UpdateVisibility();
  LabelError()->ShowWindow(IsHidden() ? SW_HIDE : SW_SHOW);
}


}  // namespace ZR
