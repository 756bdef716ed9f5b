// A table view window that records what the table-view manager asks of it, made through the
// manager's window factory for the life of a FakeWindowFactory.
#pragma once

#include "grid/TableViewWindow.h"

#include <memory>
#include <string>
#include <vector>

namespace gridtest {

// What the manager asked of its window, one text per call.
struct WindowLog {
  std::vector<std::string> calls;
  bool hasColumns = true;
  int made = 0;
  HRESULT connectResult = S_OK;
  void* connectedData = nullptr;
  void* connectedActions = nullptr;
  std::string Last() const { return calls.empty() ? std::string() : calls.back(); }
};

class FakeWindow final : public TableViewWindow {
 public:
  explicit FakeWindow(WindowLog* log) : mLog(log) {}
  ~FakeWindow() override { Note("destroyed"); }
  HRESULT Connect(uint32_t flags, IUnknown*, ITableDataManager* data, ITableStoredRowInfo*,
                  ITableUserActionHandler* actions, uint32_t) override {
    mLog->connectedData = data;
    mLog->connectedActions = actions;
    Note("connect", flags);
    return mLog->connectResult;
  }
  void SetViewLayout(int32_t, int32_t, int32_t, int32_t, int32_t width, int32_t) override { Note("layout", width); }
  void RefreshColumns(uint32_t n) override { Note("columns", n); }
  void ScrollToCell(int32_t row, int32_t column) override { Note("scroll", row, column); }
  HRESULT SelectRows(uint32_t, int32_t first, int32_t end) override { return Note("rows", first, end); }
  HRESULT SelectCells(uint32_t, int32_t column, int32_t, int32_t) override { return Note("cells", column); }
  void ShowRow(uint32_t, int32_t row) override { Note("show", row); }
  void UpdateLayout(uint32_t flags) override { Note("flags", flags); }
  HRESULT CopyToDataPad() override { return Note("datapad") == S_OK ? S_FALSE : E_FAIL; }
  HRESULT ExportCsv(QOR::IQORString*) override { return Note("csv"); }
  void SetShowLatestRow(bool on) override { Note("latest", on); }
  bool HasColumns() const override { return mLog->hasColumns; }

 private:
  template <class... Values>
  HRESULT Note(const char* call, Values... values) {
    std::string text = call;
    ((text += " " + std::to_string(values)), ...);
    mLog->calls.push_back(text);
    return S_OK;
  }
  WindowLog* mLog;
};

class FakeWindowFactory {
 public:
  FakeWindowFactory() : mPrevious(SetTableViewWindowFactory(&Make)) { Log() = &log; }
  ~FakeWindowFactory() {
    SetTableViewWindowFactory(mPrevious);
    Log() = nullptr;
  }
  WindowLog log;

 private:
  static WindowLog*& Log() {
    static WindowLog* current = nullptr;
    return current;
  }
  static std::unique_ptr<TableViewWindow> Make(const TableViewWindowArgs&) {
    ++Log()->made;
    return std::make_unique<FakeWindow>(Log());
  }
  TableViewWindowFactory mPrevious;
};

}  // namespace gridtest
