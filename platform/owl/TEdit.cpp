// OWL::TEdit: text limit, selection and the validator hooks.
#include "platform/owl/TEdit.h"

#include "platform/owl/TValidator.h"

namespace OWL {

DEFINE_RESPONSE_TABLE1(TEdit, TStatic)
  EV_WM_CHAR,
  EV_WM_KILLFOCUS,
  EV_WM_CHILDINVALID,
END_RESPONSE_TABLE;

TEdit::TEdit(TWindow* parent, int id, const wchar_t* text, int x, int y, int w, int h,
             UINT textLimit, bool multiline, TModule* module)
    : TStatic(parent, id, text, x, y, w, h, textLimit, module) {
  Attr.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_LEFT | ES_AUTOHSCROLL;
  if (multiline) Attr.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
}

TEdit::TEdit(TWindow* parent, int resourceId, UINT textLimit, TModule* module)
    : TStatic(parent, resourceId, textLimit, module) {}

TEdit::~TEdit() = default;

void TEdit::SetValidator(TValidator* validator) { mValidator.reset(validator); }

void TEdit::SetupWindow() {
  TStatic::SetupWindow();
  if (mTextLimit) LimitText(mTextLimit);
}

void TEdit::LimitText(UINT limit) noexcept {
  mTextLimit = limit;
  if (mHandle) SendMessage(EM_LIMITTEXT, limit);
}

void TEdit::GetSelection(int& start, int& end) const noexcept {
  DWORD s = 0;
  DWORD e = 0;
  SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  start = static_cast<int>(s);
  end = static_cast<int>(e);
}

bool TEdit::IsValid(bool reportError) {
  if (!mValidator) return true;
  if (mValidator->IsValid(GetText().c_str())) return true;
  if (reportError) ValidatorError();
  return false;
}

void TEdit::ValidatorError() {
  if (mValidator) mValidator->Error(this);
  SetFocus();
  SetSelection(0, -1);
}

bool TEdit::CanClose() { return TStatic::CanClose() && IsValid(true); }

void TEdit::EvChar(UINT key, UINT, UINT) {
  if (mValidator && key >= L' ') {
    std::wstring text = GetText();
    int start = 0;
    int end = 0;
    GetSelection(start, end);
    if (start >= 0 && end >= start && static_cast<size_t>(end) <= text.size())
      text.replace(static_cast<size_t>(start), static_cast<size_t>(end - start), 1, static_cast<wchar_t>(key));
    if (!mValidator->IsValidInput(text.c_str())) {
      MessageBeep(0);
      return;
    }
  }
  DefaultProcessing();
}

void TEdit::EvKillFocus(HWND getsFocus) {
  DefaultProcessing();
  if (!mValidator || !getsFocus || GetDlgCtrlID(getsFocus) == IDCANCEL) return;
  if (GetAncestor(getsFocus, GA_ROOT) != GetAncestor(mHandle, GA_ROOT)) return;
  if (!IsValid(false)) PostMessage(WM_CHILDINVALID, reinterpret_cast<WPARAM>(mHandle));
}

void TEdit::EvChildInvalid(HWND) { ValidatorError(); }

}  // namespace OWL
