// OWL::TComboBox: list and edit-part operations.
#include "platform/owl/TComboBox.h"

namespace OWL {

TComboBox::TComboBox(TWindow* parent, int id, int x, int y, int w, int h, DWORD style,
                     UINT textLimit, TModule* module)
    : TControl(parent, id, nullptr, x, y, w, h, module), mTextLimit(textLimit) {
  Attr.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | style;
}

TComboBox::TComboBox(TWindow* parent, int resourceId, UINT textLimit, TModule* module)
    : TControl(parent, resourceId, module), mTextLimit(textLimit) {}

void TComboBox::SetupWindow() {
  TControl::SetupWindow();
  if (mTextLimit) SetTextLimit(mTextLimit);
}

int TComboBox::AddString(const wchar_t* text) noexcept {
  return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int TComboBox::InsertString(const wchar_t* text, int index) noexcept {
  return static_cast<int>(SendMessage(CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text)));
}

int TComboBox::FindString(const wchar_t* text, int searchAfter) const noexcept {
  return static_cast<int>(SendMessage(CB_FINDSTRING, searchAfter, reinterpret_cast<LPARAM>(text)));
}

int TComboBox::FindStringExact(const wchar_t* text, int searchAfter) const noexcept {
  return static_cast<int>(
      SendMessage(CB_FINDSTRINGEXACT, searchAfter, reinterpret_cast<LPARAM>(text)));
}

std::wstring TComboBox::GetString(int index) const {
  int const length = GetStringLen(index);
  if (length < 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int const got = static_cast<int>(SendMessage(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0])));
  text.resize(got < 0 ? 0 : static_cast<size_t>(got));
  return text;
}

void TComboBox::SetText(const wchar_t* text) {
  int const index = FindStringExact(text);
  if (index >= 0) {
    SetSelIndex(index);
    return;
  }
  ::SetWindowTextW(mHandle, text);
}

void TComboBox::SetTextLimit(UINT limit) noexcept {
  mTextLimit = limit;
  if (mHandle) SendMessage(CB_LIMITTEXT, limit);
}

}  // namespace OWL
