// OWL::TFilterValidator: the character set and its complaint.
#include "platform/owl/TFilterValidator.h"

#include "platform/owl/OwlStringIds.h"
#include "platform/owl/TModalSeam.h"
#include "platform/owl/TModule.h"
#include "platform/owl/TWindow.h"

namespace OWL {

TFilterValidator::TFilterValidator(const wchar_t* validChars) : mValidChars(validChars ? validChars : L"") {}

// "a-z" is a range when the '-' stands between two characters; a '-' first or last is itself.
bool TFilterValidator::IsValidChar(wchar_t ch) const noexcept {
  size_t const n = mValidChars.size();
  for (size_t i = 0; i < n; ++i) {
    if (i + 2 < n && mValidChars[i + 1] == L'-') {
      if (ch >= mValidChars[i] && ch <= mValidChars[i + 2]) return true;
      i += 2;
      continue;
    }
    if (ch == mValidChars[i]) return true;
  }
  return false;
}

bool TFilterValidator::IsValidInput(const wchar_t* text) const {
  for (const wchar_t* p = text; p && *p; ++p)
    if (!IsValidChar(*p)) return false;
  return true;
}

bool TFilterValidator::IsValid(const wchar_t* text) const { return IsValidInput(text); }

void TFilterValidator::Error(TWindow* owner) const {
  ShowError(owner, TModule::Default().LoadString(IDS_OWL_VALIDATOR_INVALID_CHARACTER));
}

void TFilterValidator::ShowError(TWindow* owner, const std::wstring& text) {
  if (text.empty()) {
    MessageBeep(MB_ICONEXCLAMATION);
    return;
  }
  HWND const window = owner ? GetAncestor(owner->GetHandle(), GA_ROOT) : nullptr;
  TModalSeam::Current().MessageBox(window, text.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace OWL
