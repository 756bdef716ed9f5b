// OWL::TModalSeam: the real modal calls and the installed seam.
#include "platform/owl/TModalSeam.h"

#include "base/ModalMessageBox.h"
#include "platform/owl/TDialog.h"

#include <commdlg.h>

namespace OWL {

static TModalSeam* gInstalled = nullptr;

int TModalSeam::MessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
  // The base library's hook lies beneath, so that boxes of code below the window framework and
  // of this seam take one road.
  return QOR::ShowModalMessageBox(owner, text, caption, type);
}

INT_PTR TModalSeam::ExecuteDialog(TDialog& dialog) { return dialog.DoExecute(); }

BOOL TModalSeam::TrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner,
                                const TPMPARAMS* params) {
  return TrackPopupMenuEx(menu, flags, x, y, owner, const_cast<TPMPARAMS*>(params));
}

BOOL TModalSeam::SaveFileDialog(OPENFILENAMEW& dialog) { return GetSaveFileNameW(&dialog); }

TModalSeam& TModalSeam::Current() noexcept {
  static TModalSeam real;
  return gInstalled ? *gInstalled : real;
}

TModalSeam* TModalSeam::Install(TModalSeam* seam) noexcept {
  TModalSeam* const previous = gInstalled;
  gInstalled = seam;
  return previous;
}

}  // namespace OWL
