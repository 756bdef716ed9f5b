// ITableViewManager: the one object through which the owner of a Table View drives the table
// grid. Ownership: the manager counts references; pointers passed in are borrowed.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

namespace QOR {
struct IQORString;
}
struct IBinInStream;
struct IBinOutStream;
struct ITableDataManager;
struct ITableStoredRowInfo;
struct ITableUserActionHandler;

// {A7C117BC-8D54-420E-8FCE-76BC2E040B91}
inline constexpr GUID IID_ITableViewManager = {
    0xA7C117BC, 0x8D54, 0x420E, {0x8F, 0xCE, 0x76, 0xBC, 0x2E, 0x04, 0x0B, 0x91}};

// Window operations answer E_FAIL while the manager has no view.
struct ITableViewManager : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CreateView(uint32_t flags, HWND parent, IUnknown* hostObject,
                                               IUnknown* hostMessageHandler, ITableDataManager* data,
                                               ITableStoredRowInfo* rows, ITableUserActionHandler* actions,
                                               uint32_t value) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetViewLayout(uint32_t, int32_t x, int32_t y, int32_t width, int32_t height,
                                                  int32_t defaultColumnWidth, uint32_t, int32_t summaryHeight) = 0;
  virtual HRESULT STDMETHODCALLTYPE DestroyView(uint32_t) = 0;
  virtual HRESULT STDMETHODCALLTYPE RefreshColumns(uint32_t) = 0;
  virtual HRESULT STDMETHODCALLTYPE ScrollToCell(uint32_t, int32_t row, int32_t dataColumn) = 0;
  virtual HRESULT STDMETHODCALLTYPE SelectRows(uint32_t sectionFlags, int32_t firstRow, int32_t endRow) = 0;
  virtual HRESULT STDMETHODCALLTYPE SelectCells(uint32_t sectionFlags, int32_t dataColumn, int32_t firstRow,
                                                int32_t endRow) = 0;
  virtual HRESULT STDMETHODCALLTYPE UpdateLayout(uint32_t layoutFlags) = 0;
  virtual HRESULT STDMETHODCALLTYPE CopyToDataPad(uint32_t) = 0;
  // Replaces the column order and widths from a column-state record; E_FAIL with nothing
  // changed for a record that is damaged or written by a later version.
  virtual HRESULT STDMETHODCALLTYPE LoadColumnState(uint32_t, IBinInStream* in) = 0;
  // Writes the column-state record; E_FAIL when the stream failed.
  virtual HRESULT STDMETHODCALLTYPE SaveColumnState(uint32_t, IBinOutStream* out) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved15(uint32_t, uint32_t, uint32_t, uint32_t) = 0;
  virtual HRESULT STDMETHODCALLTYPE ShowRow(uint32_t sectionFlags, int32_t row) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetShowLatestRow(uint32_t, VARIANT_BOOL on) = 0;
  virtual HRESULT STDMETHODCALLTYPE ExportCsv(uint32_t, QOR::IQORString* fileName) = 0;
};

// A new manager in *manager with one reference; S_OK (E_POINTER for a null out pointer,
// E_OUTOFMEMORY with *manager null when it cannot be made).
HRESULT CreateTableViewManager(ITableViewManager** manager) noexcept;
