// OWL::TTabControl: tab items and selection.
#include "platform/owl/TTabControl.h"

#include <commctrl.h>

namespace OWL {

TTabControl::TTabControl(TWindow* parent, int id, int x, int y, int w, int h, TModule* module)
    : TControl(parent, id, nullptr, x, y, w, h, module) {
  Attr.Style |= WS_CLIPSIBLINGS;
}

TTabControl::TTabControl(TWindow* parent, int resourceId, TModule* module)
    : TControl(parent, resourceId, module) {}

int TTabControl::Insert(const wchar_t* text, int index) noexcept {
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(text);
  return static_cast<int>(SendMessage(TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item)));
}

int TTabControl::GetCount() const noexcept { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
int TTabControl::GetSel() const noexcept { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
int TTabControl::SetSel(int index) noexcept { return static_cast<int>(SendMessage(TCM_SETCURSEL, index)); }

void TTabControl::AdjustRect(bool toWindow, TRect& rect) const noexcept {
  SendMessage(TCM_ADJUSTRECT, toWindow, reinterpret_cast<LPARAM>(&rect));
}

}  // namespace OWL
