// OWL::TPopupMenu: a popup menu, tracked through the modal seam so that tests script the
// user's choice instead of waiting in the menu loop.
#pragma once

#include "platform/owl/TMenu.h"
#include "platform/owl/TRect.h"

namespace OWL {

class TPopupMenu : public TMenu {
 public:
  // A new empty popup menu, owned.
  TPopupMenu();
  explicit TPopupMenu(HMENU handle, TAutoDelete autoDelete = TAutoDelete::NoAutoDelete) noexcept
      : TMenu(handle, autoDelete) {}
  // A new popup menu holding a copy of menu's items.
  explicit TPopupMenu(const TMenu& menu);

  // TrackPopupMenuEx through TModalSeam at point (screen coordinates). With TPM_RETURNCMD the
  // answer is the command chosen, 0 for none; otherwise nonzero on success.
  int TrackPopupMenu(UINT flags, const TPoint& point, HWND owner, const TRect* exclude = nullptr);
};

}  // namespace OWL
