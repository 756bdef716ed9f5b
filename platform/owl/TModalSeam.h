// OWL::TModalSeam: the one place where the module enters a modal loop (message boxes, modal
// dialogs, popup menus, file dialogs). The real seam calls Windows; a test installs a scripted one so that
// nothing ever waits for a user.
#pragma once

#include <windows.h>

struct tagOFNW;  // OPENFILENAMEW

namespace OWL {

class TDialog;

class TModalSeam {
 public:
  virtual ~TModalSeam() = default;

  // MessageBoxW; answers the button pressed (IDOK, IDCANCEL, ...).
  virtual int MessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);
  // Runs dialog modally (TDialog::DoExecute); answers its return value.
  virtual INT_PTR ExecuteDialog(TDialog& dialog);
  // TrackPopupMenuEx; with TPM_RETURNCMD answers the chosen command (0 for none).
  virtual BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner,
                              const TPMPARAMS* params);
  // GetSaveFileNameW; TRUE with the chosen name in the dialog's file buffer, FALSE when
  // cancelled.
  virtual BOOL SaveFileDialog(tagOFNW& dialog);

  // The seam in force: the installed one, else the real one.
  static TModalSeam& Current() noexcept;
  // Installs seam (null: back to the real one) and answers the one it replaces. Not owned.
  static TModalSeam* Install(TModalSeam* seam) noexcept;
};

}  // namespace OWL
