// TVF_TableViewMgr: the table-view manager. The owner drives the grid through it; the grid window
// reaches the client only through its forwarding parts, which turn display columns into data
// columns through the column map.
#include "grid/ITableViewManager.h"

#include "base/IBinStream.h"
#include "base/String.h"
#include "grid/ColumnLayout.h"
#include "grid/ColumnStateRecord.h"
#include "grid/ITableCellValue.h"
#include "grid/ITableViewMgrInternal.h"
#include "grid/TableDataContract.h"
#include "grid/TableViewWindow.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/ComPtr.h"
#include "hostclient/ComObjectRoot.h"

#include <limits>
#include <memory>
#include <new>
#include <vector>

namespace {

constexpr int32_t kInitialDefaultWidth = 100;

class TVF_TableViewMgr final : public ITableViewManager,
                               public ITableViewMgrInternal,
                               public ITableUserActionHandler,
                               public ITableDataManager,
                               public ITableCellValue,
                               public QOR::CComObjectRoot {
 public:
  QOR_BEGIN_INTERFACE_MAP(TVF_TableViewMgr)
  QOR_INTERFACE_ENTRY(ITableViewManager, IID_ITableViewManager)
  QOR_INTERFACE_ENTRY(ITableViewMgrInternal, IID_ITableViewMgrInternal)
  QOR_INTERFACE_ENTRY(ITableUserActionHandler, IID_ITableUserActionHandler)
  QOR_INTERFACE_ENTRY(ITableDataManager, IID_ITableDataManager)
  QOR_INTERFACE_ENTRY(ITableCellValue, IID_ITableCellValue)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_HEAP()

  // ITableViewManager
  HRESULT STDMETHODCALLTYPE CreateView(uint32_t flags, HWND parent, IUnknown* hostObject,
                                       IUnknown* hostMessageHandler, ITableDataManager* data,
                                       ITableStoredRowInfo* rows, ITableUserActionHandler* actions,
                                       uint32_t value) noexcept override;
  HRESULT STDMETHODCALLTYPE SetViewLayout(uint32_t, int32_t x, int32_t y, int32_t width, int32_t height,
                                          int32_t defaultColumnWidth, uint32_t,
                                          int32_t summaryHeight) noexcept override;
  HRESULT STDMETHODCALLTYPE DestroyView(uint32_t) noexcept override {
    mView.reset();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RefreshColumns(uint32_t) noexcept override;
  HRESULT STDMETHODCALLTYPE ScrollToCell(uint32_t, int32_t row, int32_t dataColumn) noexcept override;
  HRESULT STDMETHODCALLTYPE SelectRows(uint32_t sectionFlags, int32_t firstRow, int32_t endRow) noexcept override {
    if (!mView) return E_FAIL;
    return ComTry([&] { return mView->SelectRows(sectionFlags, firstRow, endRow); });
  }
  HRESULT STDMETHODCALLTYPE SelectCells(uint32_t sectionFlags, int32_t dataColumn, int32_t firstRow,
                                        int32_t endRow) noexcept override {
    if (!mView) return E_FAIL;
    return ComTry([&] { return mView->SelectCells(sectionFlags, DisplayOf(dataColumn), firstRow, endRow); });
  }
  HRESULT STDMETHODCALLTYPE UpdateLayout(uint32_t layoutFlags) noexcept override {
    if (!mView) return E_FAIL;
    return ComTry([&] { mView->UpdateLayout(layoutFlags); });
  }
  HRESULT STDMETHODCALLTYPE CopyToDataPad(uint32_t) noexcept override {
    if (!mView) return E_FAIL;
    return ComTry([&] { return mView->CopyToDataPad(); });
  }
  HRESULT STDMETHODCALLTYPE LoadColumnState(uint32_t, IBinInStream* in) noexcept override;
  HRESULT STDMETHODCALLTYPE SaveColumnState(uint32_t, IBinOutStream* out) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved15(uint32_t, uint32_t, uint32_t, uint32_t) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE ShowRow(uint32_t sectionFlags, int32_t row) noexcept override {
    if (!mView) return E_FAIL;
    // Row -1 is the latest row, which sampling asks for after every batch: it comes into view
    // only while the user wants it to; otherwise the view stays where the user left it.
    if (row < 0 && !mShowLatestRow) return S_OK;
    return ComTry([&] { mView->ShowRow(sectionFlags, row); });
  }
  HRESULT STDMETHODCALLTYPE SetShowLatestRow(uint32_t, VARIANT_BOOL on) noexcept override {
    if (!mView) return E_FAIL;
    mShowLatestRow = on != VARIANT_FALSE;
    return ComTry([&] { mView->SetShowLatestRow(mShowLatestRow); });
  }
  HRESULT STDMETHODCALLTYPE ExportCsv(uint32_t, QOR::IQORString* fileName) noexcept override {
    if (!mView) return E_FAIL;
    return ComTry([&] { return mView->ExportCsv(fileName); });
  }

  // ITableViewMgrInternal
  HRESULT STDMETHODCALLTYPE MoveColumn(uint32_t, int32_t from, int32_t to) noexcept override;
  HRESULT STDMETHODCALLTYPE GetColumnWidth(uint32_t, int32_t position, int32_t* width) noexcept override;
  HRESULT STDMETHODCALLTYPE SetColumnWidth(uint32_t, int32_t position, int32_t width) noexcept override;

  // ITableDataManager
  HRESULT STDMETHODCALLTYPE GetCellText(uint32_t flags, int32_t row, int32_t column,
                                        QOR::IQORString** text) noexcept override;
  HRESULT STDMETHODCALLTYPE GetCellStyle(uint32_t flags, int32_t row, int32_t column,
                                         uint32_t* style) noexcept override;
  HRESULT STDMETHODCALLTYPE GetColumnCount(uint32_t flags, uint32_t* count) noexcept override {
    if (!mData) return ClearedFailure(count);
    return mData->GetColumnCount(flags, count);
  }
  HRESULT STDMETHODCALLTYPE GetSourceName(uint32_t value, QOR::IQORString** name) noexcept override {
    if (!mData) return ClearedFailure(name);
    return mData->GetSourceName(value, name);
  }
  HRESULT STDMETHODCALLTYPE GetViewName(uint32_t value, QOR::IQORString** name) noexcept override {
    if (!mData) return ClearedFailure(name);
    return mData->GetViewName(value, name);
  }

  // ITableCellValue: the client's, when it offers one.
  HRESULT STDMETHODCALLTYPE GetCellValue(uint32_t flags, int32_t row, int32_t column, double* value) noexcept override;

  // ITableUserActionHandler
  HRESULT STDMETHODCALLTYPE OnSelectionChanged(uint32_t flags, const TableSelectionRecord* records,
                                               int32_t count) noexcept override;
  HRESULT STDMETHODCALLTYPE OnCellClick(uint32_t flags, int32_t row, int32_t column) noexcept override {
    if (!ReachesActions()) return S_OK;
    return mActions->OnCellClick(flags, row, mLayout.ToData(column));
  }
  HRESULT STDMETHODCALLTYPE OnCellAction(uint32_t flags, int32_t row, int32_t column,
                                         uintptr_t value) noexcept override {
    if (!ReachesActions()) return S_OK;
    return mActions->OnCellAction(flags, row, mLayout.ToData(column), value);
  }
  HRESULT STDMETHODCALLTYPE OnCellActionValue(uint32_t flags, int32_t value, int32_t row, int32_t column,
                                              int32_t value2) noexcept override {
    if (!ReachesActions()) return S_OK;
    return mActions->OnCellActionValue(flags, value, row, mLayout.ToData(column), value2);
  }
  HRESULT STDMETHODCALLTYPE OnShowLatestRowChanged(uint32_t value, VARIANT_BOOL on) noexcept override {
    if (!ReachesActions()) return S_OK;
    return mActions->OnShowLatestRowChanged(value, on != VARIANT_FALSE ? VARIANT_TRUE : VARIANT_FALSE);
  }

 private:
  // The window goes first: tearing it down may still reach the layout and the client.
  ~TVF_TableViewMgr() override { mView.reset(); }

  // The grid is the view window's main grid: without a view there is none to show columns.
  bool HasColumns() const { return mView && mView->HasColumns(); }
  bool ReachesActions() const { return mActions && HasColumns(); }
  // A display column for a data column: one that is not shown scrolls to column 0.
  int32_t DisplayOf(int32_t dataColumn) const {
    const int32_t position = mLayout.ToDisplay(dataColumn);
    return position < 0 ? 0 : position;
  }
  template <class T>
  static HRESULT ClearedFailure(T* out) {
    if (!out) return E_POINTER;
    *out = T{};
    return E_FAIL;
  }
  // The client's column count, or false when it does not answer.
  bool ClientColumnCount(uint32_t* count) const {
    *count = 0;
    return mData && SUCCEEDED(mData->GetColumnCount(0, count));
  }
  // Every column back in data order with the default width.
  void RebuildColumnMap() {
    uint32_t count = 0;
    if (ClientColumnCount(&count)) mLayout.Reset(count, mDefaultWidth);
  }

  std::unique_ptr<TableViewWindow> mView;
  ColumnLayout mLayout;
  ITableDataManager* mData = nullptr;          // the client's, not counted
  ITableUserActionHandler* mActions = nullptr;  // the client's, not counted; may be null
  int32_t mDefaultWidth = kInitialDefaultWidth;
  bool mShowLatestRow = false;
};

HRESULT STDMETHODCALLTYPE TVF_TableViewMgr::CreateView(uint32_t flags, HWND parent, IUnknown* hostObject,
                                                        IUnknown* hostMessageHandler, ITableDataManager* data,
                                                        ITableStoredRowInfo* rows, ITableUserActionHandler* actions,
                                                        uint32_t value) noexcept {
  if (!parent || !data || !rows) return E_FAIL;
  return ComTry([&]() -> HRESULT {
    mView.reset();
    const TableViewWindowFactory factory = GetTableViewWindowFactory();
    if (factory)
      mView = factory(TableViewWindowArgs{parent, static_cast<ITableViewMgrInternal*>(this), hostObject,
                                          hostMessageHandler});
    if (!mView) return E_FAIL;
    mData = data;
    mActions = actions;
    uint32_t count = 0;
    if (ClientColumnCount(&count) && count != mLayout.Count()) RebuildColumnMap();
    if (!hostObject) return S_OK;
    return mView->Connect(flags, hostObject, static_cast<ITableDataManager*>(this), rows,
                          static_cast<ITableUserActionHandler*>(this), value);
  });
}

HRESULT STDMETHODCALLTYPE TVF_TableViewMgr::SetViewLayout(uint32_t, int32_t x, int32_t y, int32_t width,
                                                           int32_t height, int32_t defaultColumnWidth, uint32_t,
                                                           int32_t summaryHeight) noexcept {
  return ComTry([&]() -> HRESULT {
    if (defaultColumnWidth != mDefaultWidth) {
      // A new default width discards every custom width and order.
      mDefaultWidth = defaultColumnWidth;
      RebuildColumnMap();
    }
    if (!mView) return E_FAIL;
    mView->SetViewLayout(x, y, width, height, mDefaultWidth, summaryHeight);
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE TVF_TableViewMgr::RefreshColumns(uint32_t) noexcept {
  if (!mView || !mData) return E_FAIL;
  return ComTry([&]() -> HRESULT {
    uint32_t count = 0;
    const HRESULT hr = mData->GetColumnCount(0, &count);
    if (FAILED(hr)) return hr;
    if (count < mLayout.Count())
      RebuildColumnMap();
    else
      mLayout.Extend(count, mDefaultWidth);
    mView->RefreshColumns(count);
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE TVF_TableViewMgr::ScrollToCell(uint32_t, int32_t row, int32_t dataColumn) noexcept {
  if (!mView) return E_FAIL;
  return ComTry([&] {
    const int32_t position = mLayout.ToDisplay(dataColumn);
    if (position < 0)
      mView->ScrollToCell(0, 0);
    else
      mView->ScrollToCell(row, position);
  });
}

HRESULT STDMETHODCALLTYPE TVF_TableViewMgr::LoadColumnState(uint32_t, IBinInStream* in) noexcept {
  if (!in) return E_POINTER;
  // The layout is replaced only by a whole, sound record; any other answers E_FAIL.
  const HRESULT hr = ComTry([&] { mLayout = ReadColumnState(*in, mDefaultWidth); });
  return FAILED(hr) ? E_FAIL : S_OK;
}

HRESULT STDMETHODCALLTYPE TVF_TableViewMgr::SaveColumnState(uint32_t, IBinOutStream* out) noexcept {
  if (!out) return E_POINTER;
  return ComTry([&] {
    WriteColumnState(*out, mLayout);
    return out->GetStatus();
  });
}

HRESULT STDMETHODCALLTYPE TVF_TableViewMgr::MoveColumn(uint32_t, int32_t from, int32_t to) noexcept {
  if (from < 0 || to < 0) return E_INVALIDARG;
  if (static_cast<size_t>(from) >= mLayout.Count()) return E_FAIL;
  return ComTry([&] { mLayout.Move(static_cast<size_t>(from), static_cast<size_t>(to)); });
}

HRESULT STDMETHODCALLTYPE TVF_TableViewMgr::GetColumnWidth(uint32_t, int32_t position, int32_t* width) noexcept {
  if (!width) return E_POINTER;
  *width = mDefaultWidth;
  if (!HasColumns()) return S_OK;
  int32_t stored = 0;
  if (!mLayout.StoredWidthAt(position, &stored)) return E_FAIL;
  *width = stored - kStoredWidthMargin;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TVF_TableViewMgr::SetColumnWidth(uint32_t, int32_t position, int32_t width) noexcept {
  if (!HasColumns()) return S_OK;
  return mLayout.SetStoredWidthAt(position, width + kStoredWidthMargin) ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE TVF_TableViewMgr::GetCellText(uint32_t flags, int32_t row, int32_t column,
                                                         QOR::IQORString** text) noexcept {
  if (!text) return E_POINTER;
  if (!HasColumns()) {
    *text = QOR::String().AddRefInterface();
    return S_OK;
  }
  if (!mData) return ClearedFailure(text);
  return mData->GetCellText(flags, row, mLayout.ToData(column), text);
}

HRESULT STDMETHODCALLTYPE TVF_TableViewMgr::GetCellStyle(uint32_t flags, int32_t row, int32_t column,
                                                          uint32_t* style) noexcept {
  if (!style) return E_POINTER;
  if (!HasColumns()) {
    *style = 1;
    return S_OK;
  }
  if (!mData) return ClearedFailure(style);
  return mData->GetCellStyle(flags, row, mLayout.ToData(column), style);
}

HRESULT STDMETHODCALLTYPE TVF_TableViewMgr::GetCellValue(uint32_t flags, int32_t row, int32_t column,
                                                          double* value) noexcept {
  if (!value) return E_POINTER;
  *value = std::numeric_limits<double>::quiet_NaN();
  QOR::ComPtr<ITableCellValue> values;
  if (!HasColumns() || !mData || FAILED(mData->QueryInterface(IID_ITableCellValue, values.OutVoid())) || !values)
    return S_FALSE;
  return values->GetCellValue(flags, row, mLayout.ToData(column), value);
}

HRESULT STDMETHODCALLTYPE TVF_TableViewMgr::OnSelectionChanged(uint32_t flags, const TableSelectionRecord* records,
                                                                int32_t count) noexcept {
  if (count < 0 || (count > 0 && !records)) return E_INVALIDARG;
  if (!ReachesActions()) return S_OK;
  return ComTry([&] {
    std::vector<TableSelectionRecord> mapped(records, records + count);
    for (TableSelectionRecord& record : mapped) record.Column = mLayout.ToData(record.Column);
    return mActions->OnSelectionChanged(flags, mapped.empty() ? nullptr : mapped.data(), count);
  });
}

}  // namespace

HRESULT CreateTableViewManager(ITableViewManager** manager) noexcept {
  if (!manager) return E_POINTER;
  *manager = new (std::nothrow) TVF_TableViewMgr();
  if (!*manager) return E_OUTOFMEMORY;
  (*manager)->AddRef();
  return S_OK;
}
