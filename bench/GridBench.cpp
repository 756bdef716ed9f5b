// The grid benchmark: a grid window on the display, its client answering every cell from the row
// number, the cells painted by the Table View's renderer, timed over full repaints, page-down
// scrolls and row selections. A grid of the given row count is timed beside one of 100 rows, so a cost that grows with the rows shows as a ratio.
#include "bench/GridBench.h"

#include "bench/BenchRun.h"
#include "grid/EventGridControl.h"
#include "grid/GridPane.h"
#include "grid/GridSelection.h"
#include "grid/RowNumbersPane.h"
#include "grid/TVF_Renderer.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

class BenchClient final : public ITableDataManager, public ITableStoredRowInfo, public ITableUserActionHandler {
 public:
  explicit BenchClient(int32_t rows) : mRows(rows) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_ITableStoredRowInfo ? static_cast<ITableStoredRowInfo*>(this) : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetCellText(uint32_t, int32_t row, int32_t column, QOR::IQORString** text) override {
    *text = QOR::String(std::to_wstring(row * 10 + column).c_str()).AddRefInterface();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCellStyle(uint32_t, int32_t, int32_t, uint32_t* style) override {
    *style = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetColumnCount(uint32_t, uint32_t* count) override {
    *count = 6;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSourceName(uint32_t, QOR::IQORString** name) override {
    *name = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetViewName(uint32_t, QOR::IQORString** name) override {
    *name = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetRowCount(uint32_t, int32_t* count) override {
    *count = mRows + 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnSelectionChanged(uint32_t, const TableSelectionRecord*, int32_t) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnCellClick(uint32_t, int32_t, int32_t) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnCellAction(uint32_t, int32_t, int32_t, uintptr_t) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnCellActionValue(uint32_t, int32_t, int32_t, int32_t, int32_t) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowLatestRowChanged(uint32_t, VARIANT_BOOL) override { return S_OK; }

 private:
  int32_t mRows;
};

class BenchParent : public OWL::TWindow {
 public:
  BenchParent() : TWindow(nullptr, L"grid bench") {
    Attr.Style = WS_POPUP | WS_VISIBLE;
    Attr.W = 640;
    Attr.H = 480;
  }
};

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

struct GridFigures {
  double paint = 0, scroll = 0, select = 0;  // microseconds per operation
};

GridFigures TimeGrid(int32_t rows, int repeat) {
  BenchClient client(rows);
  BenchParent parent;
  auto* grid = new TVF_Grid::EventGridControl(&parent);
  grid->Attr.W = 640;
  grid->Attr.H = 480;
  grid->SetInterfaces(&client, &client, &client, nullptr, 8, 8);
  grid->SetColumnRange(6, 1);
  // The Table View's renderer paints every cell's text, as the product does.
  auto* renderer = new TVF_Renderer(*grid);
  renderer->SetSources(nullptr, &client, &client, 8);
  grid->Pane().SetRenderer(renderer);
  grid->EnableAutoCreate();
  parent.Create();
  grid->CreateSelection();
  renderer->RebuildColumns();
  Pump();
  const int operations = 200;
  GridFigures best;
  for (int run = 0; run < repeat; ++run) {
    GridFigures f;
    long long start = bench::Now();
    for (int i = 0; i < operations; ++i)
      RedrawWindow(grid->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    f.paint = bench::SecondsSince(start) * 1e6 / operations;
    grid->SetTopRow(0);
    start = bench::Now();
    for (int i = 0; i < operations; ++i) {
      grid->OnKeyDown(VK_NEXT, 1, 0);
      grid->RowNumbers().UpdateWindow();
    }
    f.scroll = bench::SecondsSince(start) * 1e6 / operations;
    start = bench::Now();
    for (int i = 0; i < operations; ++i) {
      const int32_t row = grid->Pane().TopRow() + 1 + i % 10;
      grid->Selection()->MouseDown({row, 1}, {0, 1}, 0);
      grid->Selection()->MouseUp({row, 1}, {0, 1}, 0);
      grid->RowNumbers().UpdateWindow();
    }
    f.select = bench::SecondsSince(start) * 1e6 / operations;
    if (run == 0 || f.paint < best.paint) best.paint = f.paint;
    if (run == 0 || f.scroll < best.scroll) best.scroll = f.scroll;
    if (run == 0 || f.select < best.select) best.select = f.select;
  }
  grid->Pane().SetRenderer(grid);
  renderer->Release();
  parent.Destroy();
  return best;
}

}  // namespace

namespace bench {

int RunGridBench(long long rows, int repeat) {
  if (rows < 1 || rows > 10000000 || repeat < 1) return 2;
  const GridFigures small = TimeGrid(100, repeat);
  const GridFigures large = TimeGrid(static_cast<int32_t>(rows), repeat);
  std::printf("grid rows: 100 and %lld\n", rows);
  std::printf("repaint: %.1f us and %.1f us\n", small.paint, large.paint);
  std::printf("page down: %.1f us and %.1f us\n", small.scroll, large.scroll);
  std::printf("row select: %.1f us and %.1f us\n", small.select, large.select);
  std::printf("throughput: %.0f repaints/s at %lld rows (%.2f of the 100-row cost)\n",
              large.paint > 0 ? 1e6 / large.paint : 0.0, rows, small.paint > 0 ? large.paint / small.paint : 0.0);
  return 0;
}

}  // namespace bench
