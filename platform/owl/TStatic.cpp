// OWL::TStatic: static text with a text limit.
#include "platform/owl/TStatic.h"

namespace OWL {

TStatic::TStatic(TWindow* parent, int id, const wchar_t* title, int x, int y, int w, int h,
                 UINT textLimit, TModule* module)
    : TControl(parent, id, title, x, y, w, h, module), mTextLimit(textLimit) {
  Attr.Style = (Attr.Style | SS_LEFT) & ~static_cast<DWORD>(WS_TABSTOP);
}

TStatic::TStatic(TWindow* parent, int resourceId, UINT textLimit, TModule* module)
    : TControl(parent, resourceId, module), mTextLimit(textLimit) {}

void TStatic::SetText(const wchar_t* text) {
  std::wstring value = text ? text : L"";
  if (mTextLimit && value.size() > mTextLimit) value.resize(mTextLimit);
  if (mHandle) ::SetWindowTextW(mHandle, value.c_str());
  else Title = value;
}

}  // namespace OWL
