// OWL::TMenu: ownership, item texts and deep copies.
#include "platform/owl/TMenu.h"

#include "base/XQOR.h"

namespace OWL {

TMenu::TMenu() : mHandle(CreateMenu()), mOwned(true) {
  if (!mHandle) throw XQOR(HRESULT_FROM_WIN32(GetLastError()));
}

TMenu::~TMenu() {
  if (mOwned && mHandle) DestroyMenu(mHandle);
}

HMENU TMenu::Detach() noexcept {
  HMENU const handle = mHandle;
  mHandle = nullptr;
  mOwned = false;
  return handle;
}

std::wstring TMenu::GetMenuString(UINT item, UINT flags) const {
  wchar_t text[512] = {};
  int const length = ::GetMenuStringW(mHandle, item, text, 512, flags);
  return std::wstring(text, static_cast<size_t>(length > 0 ? length : 0));
}

bool TMenu::AppendMenu(UINT flags, UINT_PTR id, const wchar_t* text) noexcept {
  return ::AppendMenuW(mHandle, flags, id, text) != 0;
}

void TMenu::DeepCopy(HMENU dst, HMENU src) {
  int const count = ::GetMenuItemCount(src);
  for (int pos = 0; pos < count; ++pos) {
    TMenuItemInfo info(MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_BITMAP);
    info.UseOwnTextBuffer();
    if (!::GetMenuItemInfoW(src, static_cast<UINT>(pos), TRUE, &info)) continue;
    if (info.fType & MFT_SEPARATOR) info.fMask &= ~static_cast<UINT>(MIIM_STRING);
    if (info.hSubMenu) {
      HMENU const copy = CreatePopupMenu();
      if (!copy) throw XQOR(HRESULT_FROM_WIN32(GetLastError()));
      DeepCopy(copy, info.hSubMenu);
      info.hSubMenu = copy;
    }
    ::InsertMenuItemW(dst, static_cast<UINT>(::GetMenuItemCount(dst)), TRUE, &info);
  }
}

}  // namespace OWL
