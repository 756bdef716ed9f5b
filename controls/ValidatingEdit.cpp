// ValidatingEdit: handing validation results to an error icon.
#include "controls/ValidatingEdit.h"

#include "controls/ErrorProvider.h"

DEFINE_RESPONSE_TABLE1(ValidatingEdit, OWL::TEdit)
  EV_WM_CHAR,
  EV_WM_CHILDINVALID,
END_RESPONSE_TABLE;

ValidatingEdit::ValidatingEdit(OWL::TWindow* parent) : OWL::TEdit(parent, kControlId, 255) {}

// The text is checked without reporting: a half-typed value must not raise a message box on
// every key.
void ValidatingEdit::EvChar(UINT key, UINT repeatCount, UINT flags) {
  OWL::TEdit::EvChar(key, repeatCount, flags);
  if (mErrorProvider && IsValid(false)) mErrorProvider->SetError(L"", false, L"");
}

void ValidatingEdit::EvChildInvalid(HWND child) {
  if (mErrorProvider) return;
  OWL::TEdit::EvChildInvalid(child);
}
