// OWL::TMenu: a menu handle, owned or borrowed, and the menu calls the module makes.
#pragma once

#include "platform/owl/TGdiObject.h"
#include "platform/owl/TMenuItemInfo.h"
#include "platform/owl/TResId.h"

#include <windows.h>

#include <string>

namespace OWL {

class TMenu {
 public:
  // A new empty menu bar, owned.
  TMenu();
  // Borrows (or, with AutoDelete, owns) handle.
  explicit TMenu(HMENU handle, TAutoDelete autoDelete = TAutoDelete::NoAutoDelete) noexcept
      : mHandle(handle), mOwned(autoDelete == TAutoDelete::AutoDelete) {}
  TMenu(const TMenu&) = delete;
  TMenu& operator=(const TMenu&) = delete;
  virtual ~TMenu();

  HMENU GetHandle() const noexcept { return mHandle; }
  operator HMENU() const noexcept { return mHandle; }
  bool IsOK() const noexcept { return mHandle && IsMenu(mHandle); }
  // Gives the handle up: the caller destroys it.
  HMENU Detach() noexcept;

  int GetMenuItemCount() const noexcept { return ::GetMenuItemCount(mHandle); }
  UINT GetMenuItemID(int pos) const noexcept { return ::GetMenuItemID(mHandle, pos); }
  UINT GetMenuState(UINT item, UINT flags) const noexcept { return ::GetMenuState(mHandle, item, flags); }
  std::wstring GetMenuString(UINT item, UINT flags) const;
  HMENU GetSubMenu(int pos) const noexcept { return ::GetSubMenu(mHandle, pos); }
  bool AppendMenu(UINT flags, UINT_PTR id = 0, const wchar_t* text = nullptr) noexcept;
  bool DeleteMenu(UINT item, UINT flags) noexcept { return ::DeleteMenu(mHandle, item, flags) != 0; }
  UINT CheckMenuItem(UINT item, UINT check) noexcept { return ::CheckMenuItem(mHandle, item, check); }
  UINT EnableMenuItem(UINT item, UINT enable) noexcept { return ::EnableMenuItem(mHandle, item, enable); }
  bool CheckMenuRadioItem(UINT first, UINT last, UINT check, UINT flags) noexcept {
    return ::CheckMenuRadioItem(mHandle, first, last, check, flags) != 0;
  }
  bool GetMenuItemInfo(UINT item, bool byPosition, TMenuItemInfo& info) const noexcept {
    return ::GetMenuItemInfoW(mHandle, item, byPosition, &info) != 0;
  }

  // Appends to dst a copy of every item of src, submenus copied too (new popup menus owned by
  // dst's items).
  static void DeepCopy(HMENU dst, HMENU src);

 protected:
  HMENU mHandle = nullptr;
  bool mOwned = false;
};

}  // namespace OWL
