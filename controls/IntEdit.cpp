// IntEdit: the integer check and the digits-only style.
#include "controls/IntEdit.h"

#include "platform/owl/TRangeValidator.h"

#include <cwchar>

IntEdit::IntEdit(OWL::TWindow* parent) : ValidatingEdit(parent) {
  SetValidator(new OWL::TRangeValidator(1, 10));
  Attr.Style |= ES_NUMBER;
}

bool IntEdit::IsValueValid() {
  wchar_t text[30] = {};
  if (mHandle) ::GetWindowTextW(mHandle, text, 30);
  wchar_t* end = nullptr;
  wcstol(text, &end, 10);
  return end != text && *end == L'\0';
}

void IntEdit::SetupWindow() {
  ValidatingEdit::SetupWindow();
  if (IsFlagSet(OWL::wfFromResource)) ModifyStyle(0, ES_NUMBER);
}
