// OWL::TMenuItemInfo: a MENUITEMINFOW with its size set, the fields to use named by mask, and
// optionally a buffer of its own for reading an item's text.
#pragma once

#include <windows.h>

namespace OWL {

struct TMenuItemInfo : MENUITEMINFOW {
  explicit TMenuItemInfo(UINT mask = 0) noexcept : MENUITEMINFOW{} {
    cbSize = sizeof(MENUITEMINFOW);
    fMask = mask;
  }
  // For GetMenuItemInfo with MIIM_STRING: the text lands in Text (at most 255 characters).
  void UseOwnTextBuffer() noexcept {
    fMask |= MIIM_STRING;
    Text[0] = L'\0';
    dwTypeData = Text;
    cch = sizeof Text / sizeof Text[0];
  }

  wchar_t Text[256] = {};
};

}  // namespace OWL
