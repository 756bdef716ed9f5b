// ZRTableViewEx as the grid's user-action handler: selections follow and set the current event,
// a heading click sets a column's significant figures, and the snap button is kept as a setting.
#include "views/ZRTableViewEx.h"

#include "document/CellFormat.h"
#include "document/CycleDetector.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "document/TableViewData.h"
#include "document/ZRDoc.h"
#include "document/ZRSetting_Bool.h"
#include "grid/ITableViewManager.h"
#include "grid/SigFigDialog.h"
#include "hostclient/ComBoundary.h"

namespace {

using ZR::Doc::kSettingShowLatestRow;
// The document marks the event in the host's view and scrolls there; the Table View, whose
// row was clicked, is not asked to select it again.
constexpr uint32_t kCurrentFromTable = 0x60000000u;
constexpr uint32_t kClickDouble = 0x2;

}  // namespace

HRESULT STDMETHODCALLTYPE ZRTableViewEx::QueryInterface(REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_ITableUserActionHandler) return E_NOINTERFACE;
  *out = static_cast<ITableUserActionHandler*>(this);
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE ZRTableViewEx::AddRef() noexcept {
  return static_cast<ULONG>(InterlockedIncrement(&mActionRefs));
}

// The count never ends the view: the host's view wrapper owns the window object.
ULONG STDMETHODCALLTYPE ZRTableViewEx::Release() noexcept {
  return static_cast<ULONG>(InterlockedDecrement(&mActionRefs));
}

HRESULT STDMETHODCALLTYPE ZRTableViewEx::OnSelectionChanged(uint32_t flags, const TableSelectionRecord* records,
                                                             int32_t count) noexcept {
  // The grid reports an emptied selection as one empty record: nothing to follow then.
  if (count <= 0 || !records || records[0].EndRow <= records[0].FirstRow) return S_OK;
  return ComTry([&] {
    const bool events = !(flags & kTableSummarySection);
    if (!mSelectionGuard)
      if (ComPtr<ITableViewManager> manager = Manager())
        manager->SelectRows(events ? kTableSummarySection : kTableMainSection, 0, 0);
    if (mEventRowGuard || !events || !Document()) return;
    const TableSelectionRecord& block = records[0];
    if (block.EndRow == block.FirstRow + 1 && block.FirstRow >= 1)
      Document()->SetCurrentEvent(static_cast<uint32_t>(block.FirstRow - 1), kCurrentFromTable);
  });
}

HRESULT STDMETHODCALLTYPE ZRTableViewEx::OnCellClick(uint32_t flags, int32_t row, int32_t column) noexcept {
  if (!(flags & kClickDouble) || row != 0 || column <= 0) return S_OK;
  return ComTry([&] {
    ZR::Doc::ZRDoc* const document = Document();
    ZR::TableViewData* const data = document ? document->GetTableViewData() : nullptr;
    ZR::Doc::CycleDetector* const detector = document ? document->GetCycleDetector() : nullptr;
    if (!data || !detector) return;
    const int32_t measurement = detector->GetColumnParamId(column - 1);
    if (measurement < 0 || ZR::IsWholeNumberMeasurement(measurement)) return;
    ZR::CellFormat& format = data->GetCellFormat(measurement);
    TableView::SigFigValues values{format.significantFigures, data->ApplyToAll()};
    if (TableView::RunSigFigDialog(this, values) != IDOK) return;
    data->SetApplyToAll(values.ApplyToAll);
    if (values.ApplyToAll)
      data->SetAllSignificantFigures(values.Figures);
    else
      format.significantFigures = ZR::ClampSignificantFigures(values.Figures);
    if (ComPtr<ITableViewManager> manager = Manager()) manager->RefreshColumns(0);
  });
}

HRESULT STDMETHODCALLTYPE ZRTableViewEx::OnShowLatestRowChanged(uint32_t, VARIANT_BOOL on) noexcept {
  if (!Document()) return S_OK;
  return ComTry([&] {
    if (ZR::Doc::ZRSetting_Bool* const setting = Document()->GetSettings().GetBoolSetting(kSettingShowLatestRow))
      setting->Set(on != VARIANT_FALSE);
  });
}
