// OWL::TDialog: a dialog from a template resource or an in-memory template, run modally
// (Execute, through the modal seam) or modeless (Create). Control objects constructed with the
// dialog as parent and a control id are bound to the template's controls when the dialog is
// set up (WM_INITDIALOG), before its SetupWindow returns.
#pragma once

#include "platform/owl/TResId.h"
#include "platform/owl/TWindow.h"

#include <cstdint>
#include <vector>

namespace OWL {

class TDialog : public TWindow {
 public:
  // The template resId of module (the default module when null), in the application's
  // language; loaded when the dialog is created.
  TDialog(TWindow* parent, const TResId& resId, TModule* module = nullptr);
  // A copy of the size bytes at dlgTemplate (a DLGTEMPLATE or DLGTEMPLATEEX) is kept.
  TDialog(TWindow* parent, const void* dlgTemplate, size_t size, TModule* module = nullptr);

  // Modeless; throws XQOR when the template is missing or the dialog cannot be made.
  bool Create() override;
  // Modal through TModalSeam; answers the value given to Destroy or CloseWindow (IDOK,
  // IDCANCEL, ...), -1 when the dialog could not be made.
  INT_PTR Execute();
  // The real modal loop (DialogBoxIndirectParam); only the modal seam calls it.
  virtual INT_PTR DoExecute();
  // Ends the modal loop with returnValue, or destroys a modeless dialog and keeps returnValue.
  void Destroy(INT_PTR returnValue = 0) override;
  void CloseWindow(INT_PTR returnValue = IDCANCEL) override;
  bool PreProcessMsg(MSG& msg) override;
  const wchar_t* GetClassName() override { return L"#32770"; }

  bool IsModal() const noexcept { return mModal; }
  // The value the dialog ended with (IDCANCEL until it ends).
  INT_PTR GetModalResult() const noexcept { return mResult; }

  // WM_INITDIALOG: SetupWindow; true lets the dialog manager set the focus.
  virtual bool EvInitDialog(HWND focus);
  // IDOK: CloseWindow(IDOK), which asks CanClose (validators). IDCANCEL: Destroy(IDCANCEL).
  void CmOk();
  void CmCancel();

 protected:
  // The style the template's dialog is created with (a DLGTEMPLATE or DLGTEMPLATEEX); 0 when
  // there is no template in memory.
  DWORD GetTemplateStyle() const noexcept;
  void SetTemplateStyle(DWORD style) noexcept;

 private:
  friend INT_PTR CALLBACK StdDlgProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  const DLGTEMPLATE* LoadTemplate();
  LRESULT EvDialogClose(WPARAM, LPARAM);

  TResId mResId;
  std::vector<uint8_t> mTemplate;
  bool mModal = false;
  INT_PTR mResult = IDCANCEL;

  DECLARE_RESPONSE_TABLE(TDialog);
};

// The dialog procedure of every TDialog: binds the object at WM_INITDIALOG and otherwise
// leaves the messages to the dialog manager (the object sees them first through its
// subclassed window procedure).
INT_PTR CALLBACK StdDlgProc(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

}  // namespace OWL
