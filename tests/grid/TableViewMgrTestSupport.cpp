// The recording client and window of the manager's tests.
#include "tests/grid/TableViewMgrTestSupport.h"

#include "base/String.h"

namespace gridtest {

namespace {

WindowLog* gLog = nullptr;

class FakeWindow final : public TableViewWindow {
 public:
  explicit FakeWindow(WindowLog* log) : mLog(log) {}
  ~FakeWindow() override { Note("destroyed"); }
  HRESULT Connect(uint32_t flags, IUnknown*, ITableDataManager* data, ITableStoredRowInfo*,
                  ITableUserActionHandler* actions, uint32_t) override {
    mLog->connectedData = data;
    mLog->connectedActions = actions;
    Note("connect " + std::to_string(flags));
    return mLog->connectResult;
  }
  void SetViewLayout(int32_t, int32_t, int32_t, int32_t, int32_t width, int32_t) override {
    Note("layout " + std::to_string(width));
  }
  void RefreshColumns(uint32_t n) override { Note("columns " + std::to_string(n)); }
  void ScrollToCell(int32_t row, int32_t column) override {
    Note("scroll " + std::to_string(row) + " " + std::to_string(column));
  }
  HRESULT SelectRows(uint32_t, int32_t first, int32_t end) override {
    Note("rows " + std::to_string(first) + " " + std::to_string(end));
    return S_OK;
  }
  HRESULT SelectCells(uint32_t, int32_t column, int32_t, int32_t) override {
    Note("cells " + std::to_string(column));
    return S_OK;
  }
  void ShowRow(uint32_t, int32_t row) override { Note("show " + std::to_string(row)); }
  void UpdateLayout(uint32_t flags) override { Note("flags " + std::to_string(flags)); }
  HRESULT CopyToDataPad() override {
    Note("datapad");
    return S_FALSE;
  }
  HRESULT ExportCsv(QOR::IQORString*) override {
    Note("csv");
    return S_OK;
  }
  void SetShowLatestRow(bool on) override { Note(on ? "latest on" : "latest off"); }
  bool HasColumns() const override { return mLog->hasColumns; }

 private:
  void Note(const std::string& call) { mLog->calls.push_back(call); }
  WindowLog* mLog;
};

std::unique_ptr<TableViewWindow> MakeFakeWindow(const TableViewWindowArgs&) {
  ++gLog->made;
  return std::make_unique<FakeWindow>(gLog);
}

}  // namespace

HRESULT STDMETHODCALLTYPE RecordingClient::GetCellText(uint32_t, int32_t row, int32_t column, QOR::IQORString** text) {
  Note("text", column);
  *text = QOR::String((std::to_wstring(row) + L":" + std::to_wstring(column)).c_str()).AddRefInterface();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingClient::GetSourceName(uint32_t, QOR::IQORString** name) {
  *name = QOR::String(L"Ondara").AddRefInterface();
  return S_OK;
}

FakeWindowFactory::FakeWindowFactory() : mPrevious(SetTableViewWindowFactory(&MakeFakeWindow)) { gLog = &log; }

FakeWindowFactory::~FakeWindowFactory() {
  SetTableViewWindowFactory(mPrevious);
  gLog = nullptr;
}

}  // namespace gridtest
