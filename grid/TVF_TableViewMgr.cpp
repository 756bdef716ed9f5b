// TVF_TableViewMgr: the manager an owner keeps for its Table View; without a view window every
// window operation answers E_FAIL.
#include "grid/ITableViewManager.h"

#include "hostclient/ComObjectRoot.h"

#include <new>

namespace {

class TVF_TableViewMgr final : public ITableViewManager, public QOR::CComObjectRoot {
 public:
  QOR_BEGIN_INTERFACE_MAP(TVF_TableViewMgr)
  QOR_INTERFACE_ENTRY(ITableViewManager, IID_ITableViewManager)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_HEAP()

  HRESULT STDMETHODCALLTYPE CreateView(uint32_t, HWND, IUnknown*, IUnknown*, ITableDataManager*,
                                       ITableStoredRowInfo*, ITableUserActionHandler*, uint32_t) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetViewLayout(uint32_t, int32_t, int32_t, int32_t, int32_t, int32_t, uint32_t,
                                          int32_t) noexcept override {
    return E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE DestroyView(uint32_t) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RefreshColumns(uint32_t) noexcept override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE ScrollToCell(uint32_t, int32_t, int32_t) noexcept override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE SelectRows(uint32_t, int32_t, int32_t) noexcept override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE SelectCells(uint32_t, int32_t, int32_t, int32_t) noexcept override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE UpdateLayout(uint32_t) noexcept override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE CopyToDataPad(uint32_t) noexcept override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE LoadColumnState(uint32_t, IBinInStream*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SaveColumnState(uint32_t, IBinOutStream*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15(uint32_t, uint32_t, uint32_t, uint32_t) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE ShowRow(uint32_t, int32_t) noexcept override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE SetShowLatestRow(uint32_t, VARIANT_BOOL) noexcept override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE ExportCsv(uint32_t, QOR::IQORString*) noexcept override { return E_FAIL; }

 private:
  ~TVF_TableViewMgr() override = default;
};

}  // namespace

HRESULT CreateTableViewManager(ITableViewManager** manager) noexcept {
  if (!manager) return E_POINTER;
  *manager = new (std::nothrow) TVF_TableViewMgr();
  if (!*manager) return E_OUTOFMEMORY;
  (*manager)->AddRef();
  return S_OK;
}
