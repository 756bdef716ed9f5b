// TableViewWindow: what the table-view manager asks of the window that shows its two grids, and
// the one place that says which window class the manager creates.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>
#include <memory>

namespace QOR {
struct IQORString;
}
struct ITableDataManager;
struct ITableStoredRowInfo;
struct ITableUserActionHandler;
struct ITableViewMgrInternal;

// The window is a child of the framework window of its parent handle; the manager owns it and
// deleting it tears it down. Columns are display positions; the manager has mapped them already.
class TableViewWindow {
 public:
  virtual ~TableViewWindow() = default;

  // Connects the grids to the client through the manager's forwarding parts.
  virtual HRESULT Connect(uint32_t flags, IUnknown* hostObject, ITableDataManager* data,
                          ITableStoredRowInfo* rows, ITableUserActionHandler* actions,
                          uint32_t value) = 0;
  virtual void SetViewLayout(int32_t x, int32_t y, int32_t width, int32_t height,
                             int32_t defaultColumnWidth, int32_t summaryHeight) = 0;
  // Rebuilds both grids for columnCount columns, reading widths back through the manager.
  virtual void RefreshColumns(uint32_t columnCount) = 0;
  virtual void ScrollToCell(int32_t row, int32_t column) = 0;
  virtual HRESULT SelectRows(uint32_t sectionFlags, int32_t firstRow, int32_t endRow) = 0;
  virtual HRESULT SelectCells(uint32_t sectionFlags, int32_t column, int32_t firstRow,
                              int32_t endRow) = 0;
  virtual void ShowRow(uint32_t sectionFlags, int32_t row) = 0;
  virtual void UpdateLayout(uint32_t layoutFlags) = 0;
  virtual HRESULT CopyToDataPad() = 0;
  // fileName may be null: the user is asked for one.
  virtual HRESULT ExportCsv(QOR::IQORString* fileName) = 0;
  virtual void SetShowLatestRow(bool on) = 0;
  // True when the main grid shows a column besides the row-number column 0.
  virtual bool HasColumns() const = 0;
};

// What a window is made from; the pointers are borrowed for the call.
struct TableViewWindowArgs {
  HWND parent;
  ITableViewMgrInternal* manager;
  IUnknown* hostObject;
  IUnknown* hostMessageHandler;
};

// Makes the window, or answers null when it cannot. With no factory set, no window is made.
using TableViewWindowFactory = std::unique_ptr<TableViewWindow> (*)(const TableViewWindowArgs& args);

// Sets the factory every manager uses from now on; answers the one it replaces.
TableViewWindowFactory SetTableViewWindowFactory(TableViewWindowFactory factory) noexcept;
TableViewWindowFactory GetTableViewWindowFactory() noexcept;
