// OWL::TPopupMenu: creation, copying and tracking.
#include "platform/owl/TPopupMenu.h"

#include "base/XQOR.h"
#include "platform/owl/TModalSeam.h"

namespace OWL {

static HMENU NewPopup() {
  HMENU const menu = CreatePopupMenu();
  if (!menu) throw XQOR(HRESULT_FROM_WIN32(GetLastError()));
  return menu;
}

TPopupMenu::TPopupMenu() : TMenu(NewPopup(), TAutoDelete::AutoDelete) {}

TPopupMenu::TPopupMenu(const TMenu& menu) : TMenu(NewPopup(), TAutoDelete::AutoDelete) {
  DeepCopy(mHandle, menu.GetHandle());
}

int TPopupMenu::TrackPopupMenu(UINT flags, const TPoint& point, HWND owner, const TRect* exclude) {
  TPMPARAMS params{};
  params.cbSize = sizeof params;
  if (exclude) params.rcExclude = *exclude;
  return TModalSeam::Current().TrackPopupMenu(mHandle, flags, point.x, point.y, owner,
                                              exclude ? &params : nullptr);
}

}  // namespace OWL
