// TVF_TableView: the table as text for the clipboard and CSV files, and the copy into the host
// document's Data Pad.
#include "grid/TVF_TableView.h"

#include "base/LocaleInfo.h"
#include "base/String.h"
#include "grid/CsvFile.h"
#include "grid/GridStringIds.h"
#include "grid/TVF_Renderer.h"
#include "grid/TableClipboard.h"
#include "hostapi/HostApplication.h"
#include "hostapi/HostDataPad.h"
#include "hostapi/ViewPrinting.h"
#include "hostclient/COMClassObjectAccessor.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/HostProgress.h"
#include "platform/owl/TModalSeam.h"
#include "platform/owl/TModule.h"

#include <commdlg.h>

#include <sstream>

using TVF_Grid::CellRange;
using TVF_Grid::EventGridControl;

namespace {

const wchar_t* UserListSeparator() { return QOR::LocaleInfo::Get().ListSeparator(); }

TVF_TableView::ListSeparatorSource gListSeparator = &UserListSeparator;

std::wstring Text(UINT id) { return OWL::TModule::Default().LoadString(id); }

// The host application's language word, 0 when it gives none.
LANGID HostLanguage() {
  IHostApplication* const application = GetHostApplication();
  ComPtr<IHostLanguage> language;
  if (!application ||
      FAILED(application->QueryInterface(IID_IHostLanguage, reinterpret_cast<void**>(language.Out()))))
    return 0;
  uint16_t word = 0;
  return SUCCEEDED(language->GetLanguage(&word)) ? word : 0;
}

// The Data Pad of a host document; null when there is none.
ComPtr<IHostDataPad> DataPadOf(IUnknown* document) {
  ComPtr<IHostDataPad> pad;
  ComPtr<IHostDataPadSource> source;
  if (!document ||
      FAILED(document->QueryInterface(IID_IHostDataPadSource, reinterpret_cast<void**>(source.Out()))))
    return pad;
  ComPtr<IUnknown> object;
  if (source->GetDataPad(object.Out()) != S_OK || !object) return pad;
  object->QueryInterface(IID_IHostDataPad, reinterpret_cast<void**>(pad.Out()));
  return pad;
}

// Asks for the CSV file's name; empty when the user cancels.
std::wstring AskCsvFileName(HWND owner) {
  const std::wstring filter = Text(IDS_GRID_CSV_FILTER) + L'\0' + L"*.csv" + L'\0';
  const std::wstring title = Text(IDS_GRID_CSV_TITLE);
  wchar_t name[256] = L"";
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name;
  dialog.nMaxFile = 256;
  dialog.lpstrInitialDir = L".";
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = L"csv";
  dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  if (!OWL::TModalSeam::Current().SaveFileDialog(dialog)) return std::wstring();
  return name;
}

}  // namespace

ComPtr<IUnknown> TVF_TableView::HostDocument() const {
  ComPtr<IUnknown> document;
  ComPtr<IViewSitePrintSupport> site;
  if (mHostObject &&
      SUCCEEDED(mHostObject->QueryInterface(IID_IViewSitePrintSupport, reinterpret_cast<void**>(site.Out()))))
    site->GetHostDocument(document.Out());
  return document;
}

TVF_TableView::ListSeparatorSource TVF_TableView::SetListSeparatorSource(ListSeparatorSource source) noexcept {
  const ListSeparatorSource previous = gListSeparator;
  gListSeparator = source ? source : &UserListSeparator;
  return previous;
}

std::wstring TVF_TableView::BlockText(const EventGridControl& grid, bool whole, const wchar_t* separator,
                                      bool csvCells) const {
  TVF_Renderer* const renderer = RendererOf(&grid);
  if (!renderer) return std::wstring();
  const bool rowNumbers = (mLayoutFlags & kLayoutRowNumbers) != 0;
  const bool headings = (mLayoutFlags & kLayoutHeadings) != 0;
  std::wostringstream out;
  const CellRange* const range = whole ? nullptr : grid.UserSelection();
  if (range)
    renderer->WriteSelectionText(out, rowNumbers, headings, separator, range->FirstRow.Index,
                                 range->FirstRow.Fixed, range->EndRow.Index, range->EndRow.Fixed, csvCells);
  else
    renderer->WriteSelectionText(out, rowNumbers, headings, separator, -1, -1, -1, -1, csvCells);
  return out.str();
}

std::wstring TVF_TableView::TableText(const wchar_t* separator, bool csvCells, bool wholeTable) const {
  const bool mainSelected = !wholeTable && mMain->UserSelection() != nullptr;
  const bool summarySelected = !wholeTable && mSummary->UserSelection() != nullptr;
  if (!mainSelected && !summarySelected) {
    const std::wstring summary = mSummaryShown ? BlockText(*mSummary, true, separator, csvCells) : std::wstring();
    return JoinTableBlocks(BlockText(*mMain, true, separator, csvCells), summary);
  }
  const std::wstring main = mainSelected ? BlockText(*mMain, false, separator, csvCells) : std::wstring();
  const std::wstring summary = summarySelected ? BlockText(*mSummary, false, separator, csvCells) : std::wstring();
  return JoinTableBlocks(main, summary);
}

void TVF_TableView::CopyToClipboard() {
  const WaitCursor wait;
  if (IHostCopyService* copy = QOR::COMClassObjectAccessor<IHostCopyService, CLSID_HostCopyService,
                                                          IID_IHostCopyService>::Get())
    copy->BeginCopy(0);
  const std::wstring text = TableText(L"\t", false);
  // A failed allocation ends the copy silently; only a busy clipboard is told to the user.
  if (CopyTextToClipboard(GetHandle(), text) == ClipboardCopy::Busy)
    OWL::TModalSeam::Current().MessageBox(GetHandle(), Text(IDS_GRID_CLIPBOARD_BUSY).c_str(),
                                          Text(IDS_GRID_ERROR_CAPTION).c_str(), MB_OK);
}

int TVF_TableView::OnCopyMessage() {
  CopyToClipboard();
  return 0;
}

HRESULT TVF_TableView::ExportCsv(QOR::IQORString* fileName) {
  std::wstring name;
  if (fileName) name = QOR::String(fileName).GetText();
  if (name.empty()) name = AskCsvFileName(GetHandle());
  if (name.empty()) return E_FAIL;
  // A file is the whole table: a selection is what the clipboard copy is for.
  return WriteCsvFile(name.c_str(), TableText(gListSeparator(), true, true), HostLanguage());
}

HRESULT TVF_TableView::CopyToDataPad() {
  ComPtr<IHostDataPad> pad = DataPadOf(HostDocument().Get());
  if (!pad || !mMainRenderer || !mSummaryRenderer) return S_FALSE;
  const bool rowNumbers = (mLayoutFlags & kLayoutRowNumbers) != 0;
  const bool headings = (mLayoutFlags & kLayoutHeadings) != 0;
  const CellRange* const main = mMain->UserSelection();
  const CellRange* const summary = mSummary->UserSelection();
  if (!main && !summary) {
    HRESULT hr = mMainRenderer->AddAllToDataPad(pad.Get(), rowNumbers, headings);
    if (hr == S_OK && mSummaryShown) hr = mSummaryRenderer->AddAllToDataPad(pad.Get(), rowNumbers, headings);
    return hr;
  }
  HRESULT hr = S_OK;
  if (main)
    hr = mMainRenderer->AddToDataPad(pad.Get(), rowNumbers, headings, main->FirstRow.Index, main->FirstRow.Fixed,
                                     main->EndRow.Index, main->EndRow.Fixed);
  if (hr == S_OK && summary)
    hr = mSummaryRenderer->AddToDataPad(pad.Get(), rowNumbers, headings, summary->FirstRow.Index,
                                        summary->FirstRow.Fixed, summary->EndRow.Index, summary->EndRow.Fixed);
  return hr;
}
