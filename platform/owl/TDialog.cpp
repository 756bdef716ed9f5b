// OWL::TDialog: template loading, modal and modeless runs, binding at WM_INITDIALOG.
#include "platform/owl/TDialog.h"

#include "base/XQOR.h"
#include "platform/owl/OwlPrivate.h"
#include "platform/owl/TDialogRes.h"
#include "platform/owl/TModalSeam.h"
#include "platform/owl/TModule.h"

#include <cstring>

namespace OWL {

DEFINE_RESPONSE_TABLE1(TDialog, TWindow)
  EV_COMMAND(IDOK, CmOk),
  EV_COMMAND(IDCANCEL, CmCancel),
  OWL_MSG_ENTRY(WM_INITDIALOG, return self_.EvInitDialog(reinterpret_cast<HWND>(wp_)) ? 1 : 0;),
  EV_MESSAGE(WM_CLOSE, EvDialogClose),
END_RESPONSE_TABLE;

TDialog::TDialog(TWindow* parent, const TResId& resId, TModule* module)
    : TWindow(parent, nullptr, module), mResId(resId) {}

TDialog::TDialog(TWindow* parent, const void* dlgTemplate, size_t size, TModule* module)
    : TWindow(parent, nullptr, module), mResId(0) {
  auto const* bytes = static_cast<const uint8_t*>(dlgTemplate);
  if (bytes) mTemplate.assign(bytes, bytes + size);
}

const DLGTEMPLATE* TDialog::LoadTemplate() {
  InitCommonControlsOnce();
  if (mTemplate.empty()) {
    TDialogRes res(GetModule()->GetHandle(), mResId);
    if (!res.IsOK()) throw XQOR(HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND));
    auto const* bytes = reinterpret_cast<const uint8_t*>(res.GetTemplate());
    mTemplate.assign(bytes, bytes + res.GetSize());
  }
  return reinterpret_cast<const DLGTEMPLATE*>(mTemplate.data());
}

// An extended template starts with the words 1 and 0xFFFF, and keeps its style at byte 12.
static size_t StyleOffset(const std::vector<uint8_t>& bytes) noexcept {
  bool const extended = bytes.size() >= 4 && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF;
  return extended ? 12 : 0;
}

DWORD TDialog::GetTemplateStyle() const noexcept {
  size_t const offset = StyleOffset(mTemplate);
  if (mTemplate.size() < offset + sizeof(DWORD)) return 0;
  DWORD style = 0;
  std::memcpy(&style, mTemplate.data() + offset, sizeof style);
  return style;
}

void TDialog::SetTemplateStyle(DWORD style) noexcept {
  size_t const offset = StyleOffset(mTemplate);
  if (mTemplate.size() < offset + sizeof(DWORD)) return;
  std::memcpy(mTemplate.data() + offset, &style, sizeof style);
}

bool TDialog::Create() {
  if (mHandle) return true;
  const DLGTEMPLATE* dlgTemplate = LoadTemplate();
  mModal = false;
  mResult = IDCANCEL;
  HWND const handle = CreateDialogIndirectParamW(GetModule()->GetHandle(), dlgTemplate,
                                                 GetParentH(), &StdDlgProc,
                                                 reinterpret_cast<LPARAM>(this));
  if (!handle) throw XQOR(HRESULT_FROM_WIN32(GetLastError() ? GetLastError() : ERROR_INVALID_DATA));
  return true;
}

INT_PTR TDialog::Execute() { return TModalSeam::Current().ExecuteDialog(*this); }

INT_PTR TDialog::DoExecute() {
  const DLGTEMPLATE* dlgTemplate = LoadTemplate();
  mModal = true;
  mResult = IDCANCEL;
  INT_PTR const result = DialogBoxIndirectParamW(GetModule()->GetHandle(), dlgTemplate,
                                                 GetParentH(), &StdDlgProc,
                                                 reinterpret_cast<LPARAM>(this));
  mModal = false;
  return result;
}

void TDialog::Destroy(INT_PTR returnValue) {
  if (!mHandle) return;
  mResult = returnValue;
  if (mModal) {
    EndDialog(mHandle, returnValue);
    return;
  }
  DestroyWindow(mHandle);
}

void TDialog::CloseWindow(INT_PTR returnValue) {
  if (CanClose()) Destroy(returnValue);
}

bool TDialog::PreProcessMsg(MSG& msg) {
  return mHandle && IsDialogMessageW(mHandle, &msg);
}

bool TDialog::EvInitDialog(HWND) {
  SetupWindow();
  return true;
}

void TDialog::CmOk() { CloseWindow(IDOK); }
void TDialog::CmCancel() { Destroy(IDCANCEL); }

// The dialog manager turns WM_CLOSE into IDCANCEL.
LRESULT TDialog::EvDialogClose(WPARAM, LPARAM) { return DefaultProcessing(); }

INT_PTR CALLBACK StdDlgProc(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg != WM_INITDIALOG || TWindow::GetWindowPtr(handle)) return FALSE;
  auto* dialog = reinterpret_cast<TDialog*>(lParam);
  try {
    dialog->SubclassWindow(handle);
  } catch (...) {
    return FALSE;
  }
  dialog->Attr.Style = static_cast<DWORD>(GetWindowLongW(handle, GWL_STYLE));
  return dialog->ReceiveMessage(WM_INITDIALOG, wParam, lParam);
}

}  // namespace OWL
