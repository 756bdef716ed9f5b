// The Table View's "Export..." command.
#include "views/TableViewExport.h"

#include "base/String.h"
#include "document/TableStringIds.h"
#include "document/ZRDoc.h"
#include "platform/owl/TModalSeam.h"
#include "platform/owl/TModule.h"

#include <commdlg.h>
#include <shlobj.h>

#include <string>

namespace {

std::wstring Text(UINT id) { return OWL::TModule::Default().LoadString(id); }

}  // namespace

void RunTableViewExport(HWND owner, ZR::Doc::ZRDoc& document) {
  wchar_t folder[MAX_PATH] = L"";
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder))) return;
  // Each filter is a name and a pattern, each ended by a NUL, the list by one more.
  const std::wstring filters = Text(IDS_TV_FILTER_TEXT) + L'\0' + L"*.txt" + L'\0' + Text(IDS_TV_FILTER_CSV) +
                               L'\0' + L"*.csv" + L'\0';
  const std::wstring title = Text(IDS_TV_EXPORT_TITLE);
  wchar_t name[MAX_PATH] = L"";
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrInitialDir = folder;
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = L"txt";
  dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  if (!OWL::TModalSeam::Current().SaveFileDialog(dialog)) return;
  // A failure has been shown to the user by the export itself.
  document.ExportTable(QOR::String(name));
}
