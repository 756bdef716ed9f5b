// A client of the table grid and a view window that record what reaches them, for the manager's
// tests; the window is made through the manager's window factory.
#pragma once

#include "grid/ITableViewManager.h"
#include "grid/ITableViewMgrInternal.h"
#include "grid/TableDataContract.h"
#include "grid/TableViewWindow.h"

#include <memory>
#include <string>
#include <vector>

namespace gridtest {

// Answers cells as "row:column" and records every call with the column it was given.
class RecordingClient final : public ITableDataManager,
                              public ITableStoredRowInfo,
                              public ITableUserActionHandler {
 public:
  uint32_t columnCount = 4;
  std::vector<std::string> calls;  // "<operation> <column>"
  std::vector<TableSelectionRecord> selection;
  VARIANT_BOOL showLatest = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetCellText(uint32_t, int32_t row, int32_t column, QOR::IQORString** text) override;
  HRESULT STDMETHODCALLTYPE GetCellStyle(uint32_t, int32_t, int32_t column, uint32_t* style) override {
    Note("style", column);
    *style = 16;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetColumnCount(uint32_t, uint32_t* count) override {
    *count = columnCount;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSourceName(uint32_t, QOR::IQORString** name) override;
  HRESULT STDMETHODCALLTYPE GetViewName(uint32_t, QOR::IQORString** name) override { return GetSourceName(0, name); }
  HRESULT STDMETHODCALLTYPE GetRowCount(uint32_t, int32_t* count) override {
    *count = 3;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnSelectionChanged(uint32_t, const TableSelectionRecord* records, int32_t count) override {
    selection.assign(records, records + count);
    Note("selection", count);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnCellClick(uint32_t, int32_t, int32_t column) override { return Note("click", column); }
  HRESULT STDMETHODCALLTYPE OnCellAction(uint32_t, int32_t, int32_t column, uintptr_t) override {
    return Note("action", column);
  }
  HRESULT STDMETHODCALLTYPE OnCellActionValue(uint32_t, int32_t, int32_t, int32_t column, int32_t) override {
    return Note("value", column);
  }
  HRESULT STDMETHODCALLTYPE OnShowLatestRowChanged(uint32_t, VARIANT_BOOL on) override {
    showLatest = on;
    return Note("latest", 0);
  }

 private:
  HRESULT Note(const char* operation, int32_t column) {
    calls.push_back(std::string(operation) + " " + std::to_string(column));
    return S_OK;
  }
};

// What the manager asked of its window, one text per call.
struct WindowLog {
  std::vector<std::string> calls;
  bool hasColumns = true;
  int made = 0;
  HRESULT connectResult = S_OK;
  void* connectedData = nullptr;
  void* connectedActions = nullptr;
};

// Installs a factory whose windows write to log for the life of the object.
class FakeWindowFactory {
 public:
  FakeWindowFactory();
  ~FakeWindowFactory();
  WindowLog log;
  // The last call the window recorded, or "".
  std::string Last() const { return log.calls.empty() ? std::string() : log.calls.back(); }

 private:
  TableViewWindowFactory mPrevious;
};

}  // namespace gridtest
