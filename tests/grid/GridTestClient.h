// GridTestClient: a table client of the test's own (cells, row counts, actions, menu items) that
// records every call the grid makes, and a grid fixture in a plain popup window.
#pragma once

#include "base/String.h"
#include "grid/EventGridControl.h"
#include "grid/GridColumn.h"
#include "grid/GridKeyState.h"
#include "grid/GridPane.h"
#include "grid/RowNumbersPane.h"
#include "grid/GridSelection.h"
#include "grid/ITableCellValue.h"
#include "grid/TableDataContract.h"
#include "platform/owl/TBitmap.h"
#include "platform/owl/TMemoryDC.h"
#include "tests/support/DrawnTexts.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>
#include <vector>

// Answers only IUnknown-free calls: the grid never counts its client's interfaces.
class GridTestClient : public ITableDataManager,
                       public ITableStoredRowInfo,
                       public ITableCellValue,
                       public ITableUserActionHandler,
                       public IGridCellMenuSource {
 public:
  int32_t Rows = 1;  // heading row included
  uint32_t Columns = 4;
  std::map<std::pair<int32_t, int32_t>, uint32_t> Styles;
  std::map<std::pair<int32_t, int32_t>, std::wstring> Texts;
  std::map<std::pair<int32_t, int32_t>, double> Values;  // the numbers behind some texts
  HRESULT ClearAnswer = S_OK;
  std::vector<std::wstring> MenuItems;

  struct Selection {
    uint32_t Flags;
    std::vector<TableSelectionRecord> Records;
  };
  std::vector<Selection> Selections;
  std::vector<std::vector<int32_t>> Clicks;     // flags, row, column
  std::vector<std::vector<int32_t>> Actions;    // flags, row, column
  std::vector<std::vector<int32_t>> ValueCalls; // flags, value, row, column, value2
  std::vector<std::vector<int32_t>> LatestRow;  // value, on

  // The row info, as the grid's pixel map asks for it.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_ITableStoredRowInfo ? static_cast<void*>(static_cast<ITableStoredRowInfo*>(this))
           : iid == IID_ITableCellValue   ? static_cast<void*>(static_cast<ITableCellValue*>(this))
                                          : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE GetCellValue(uint32_t, int32_t row, int32_t column, double* value) override {
    const auto found = Values.find({row, column});
    *value = found == Values.end() ? std::numeric_limits<double>::quiet_NaN() : found->second;
    return found == Values.end() ? S_FALSE : S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE GetCellText(uint32_t, int32_t row, int32_t column,
                                        QOR::IQORString** text) override {
    const auto found = Texts.find({row, column});
    *text = QOR::String(found == Texts.end() ? L"" : found->second.c_str()).AddRefInterface();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCellStyle(uint32_t, int32_t row, int32_t column, uint32_t* style) override {
    const auto found = Styles.find({row, column});
    *style = found == Styles.end() ? 0 : found->second;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetColumnCount(uint32_t, uint32_t* count) override {
    *count = Columns;
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
    *count = Rows;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnSelectionChanged(uint32_t flags, const TableSelectionRecord* records,
                                               int32_t count) override {
    Selections.push_back({flags, std::vector<TableSelectionRecord>(records, records + count)});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnCellClick(uint32_t flags, int32_t row, int32_t column) override {
    Clicks.push_back({static_cast<int32_t>(flags), row, column});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnCellAction(uint32_t flags, int32_t row, int32_t column, uintptr_t) override {
    Actions.push_back({static_cast<int32_t>(flags), row, column});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnCellActionValue(uint32_t flags, int32_t value, int32_t row, int32_t column,
                                              int32_t value2) override {
    ValueCalls.push_back({static_cast<int32_t>(flags), value, row, column, value2});
    return ClearAnswer;
  }
  HRESULT STDMETHODCALLTYPE OnShowLatestRowChanged(uint32_t value, VARIANT_BOOL on) override {
    LatestRow.push_back({static_cast<int32_t>(value), static_cast<uint16_t>(on)});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetItemCount(uint32_t, int32_t, int32_t, int32_t* count) override {
    *count = static_cast<int32_t>(MenuItems.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetItemText(uint32_t, int32_t, int32_t, int32_t item,
                                        QOR::IQORString** text) override {
    *text = QOR::String(MenuItems[static_cast<size_t>(item)].c_str()).AddRefInterface();
    return S_OK;
  }

  // The last selection report's records as (column, first, end) triples.
  std::vector<std::vector<int32_t>> LastRecords() const {
    std::vector<std::vector<int32_t>> out;
    if (Selections.empty()) return out;
    for (const auto& r : Selections.back().Records) out.push_back({r.Column, r.FirstRow, r.EndRow});
    return out;
  }
};

// Records the grid's observer notifications.
class Recorder : public LumoObserver {
 public:
  std::vector<std::vector<uint32_t>> Seen;  // id, words...
  void OnSubjectNotify(uint32_t id, const uint32_t* words, int count) override {
    std::vector<uint32_t> entry{id};
    entry.insert(entry.end(), words, words + count);
    Seen.push_back(entry);
  }
};

// Shift and Ctrl as the test sets them.
class TestKeys : public TVF_Grid::GridKeyState {
 public:
  TestKeys() : mPrevious(Install(this)) {}
  ~TestKeys() override { Install(mPrevious); }
  TestKeys(const TestKeys&) = delete;
  TestKeys& operator=(const TestKeys&) = delete;
  bool Shift = false;
  bool Ctrl = false;
  SHORT GetAsyncKeyState(int key) override { return Down(key) ? SHORT(-32768) : 0; }
  SHORT GetKeyState(int key) override { return Down(key) ? SHORT(-128) : 0; }

 private:
  bool Down(int key) const {
    if (key == VK_SHIFT || key == VK_LSHIFT) return Shift;
    if (key == VK_CONTROL || key == VK_LCONTROL) return Ctrl;
    return false;
  }
  TVF_Grid::GridKeyState* mPrevious;
};

// A white 32-bit DIB section on a memory DC.
struct DibCanvas {
  DibCanvas(int width, int height) : bitmap(OWL::TBitmap::CreateDIB32(width, height, &bits)), dc(*bitmap) {
    dc.TextRect(OWL::TRect(0, 0, width, height), OWL::TColor(RGB(255, 255, 255)));
  }
  // Pixels of colour c inside r.
  int Count(const RECT& r, COLORREF c) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += dc.GetPixel(x, y) == c;
    return n;
  }
  // The leftmost x inside r holding a pixel of colour c; -1 for none.
  int FirstX(const RECT& r, COLORREF c) {
    for (int x = r.left; x < r.right; ++x)
      for (int y = r.top; y < r.bottom; ++y)
        if (dc.GetPixel(x, y) == c) return x;
    return -1;
  }
  uint32_t* bits = nullptr;
  std::unique_ptr<OWL::TBitmap> bitmap;
  OWL::TMemoryDC dc;
};

class GridParent : public OWL::TWindow {
 public:
  GridParent() : TWindow(nullptr, L"grid test") {
    Attr.Style = WS_POPUP | WS_VISIBLE;
    Attr.W = 480;
    Attr.H = 360;
  }
};

// A grid of `rows` data rows and `columns` data columns of `width` pixels, 400 x 300 pixels.
class GridFixture : public ::testing::Test {
 protected:
  GridTestClient client;
  TestKeys keys;
  GridParent parent;
  TVF_Grid::EventGridControl* grid = nullptr;
  bool WantSnapBar = false;

  void MakeGrid(int32_t rows, int32_t columns, int32_t width = 60, int w = 400, int h = 300) {
    client.Rows = rows + 1;
    client.Columns = static_cast<uint32_t>(columns + 1);
    grid = new TVF_Grid::EventGridControl(&parent);
    grid->Attr.W = w;
    grid->Attr.H = h;
    grid->SnapBarWanted = WantSnapBar;
    grid->SetInterfaces(&client, &client, &client, &client, 8, 8);
    grid->SetColumnRange(columns + 1, 1);
    for (int32_t i = 0; i < columns; ++i)
      grid->Pane().AddColumn(std::make_unique<TVF_Grid::UniformGridColumn>(*grid, i, QOR::String(L"c"), width));
    grid->EnableAutoCreate();
    parent.Create();
    grid->CreateSelection();
    grid->SetRowCount({rows + 1, 1});
    PumpMessages();
  }

  TVF_Grid::GridSelection& Sel() { return *grid->Selection(); }
  const TVF_Grid::CellRange& Range() { return grid->Selection()->Range(); }
  // Client coordinates of the middle of pane row r in the row-number pane.
  LPARAM RowPoint(int32_t paneRow) const {
    const int y = paneRow * grid->Pane().RowHeight() - grid->Pane().VerticalOffset() + 3;
    return MAKELPARAM(4, y);
  }
  void ClickRow(int32_t paneRow) {
    HWND const numbers = grid->RowNumbers().GetHandle();
    SendMessageW(numbers, WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(paneRow));
    SendMessageW(numbers, WM_LBUTTONUP, 0, RowPoint(paneRow));
  }
  bool Key(UINT key) { return grid->OnKeyDown(key, 1, 0); }
  // Selects the cell block rows r..r2, columns c..c2 (client numbering) as a mouse drag would.
  void SelectBlock(int32_t r, int32_t c, int32_t r2, int32_t c2) {
    Sel().MouseDown({r, 1}, {c, 1}, 0);
    Sel().MouseDrag({r2, 1}, {c2, 1});
    Sel().MouseUp({r2, 1}, {c2, 1}, 0);
  }
};
