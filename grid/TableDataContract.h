// The contract between the table grid and its client: the cell source (ITableDataManager), the
// row counts (ITableStoredRowInfo), the receiver of the user's actions (ITableUserActionHandler)
// and the optional source of a cell's context-menu items (IGridCellMenuSource).
// Ownership: strings handed out through IQORString** carry one reference for the caller; the
// grid keeps none of these interfaces counted (their owner outlives the grid).
#pragma once

#include "hostapi/QORString.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {D7C72AF1-1E93-4968-B949-DA7E6AE623F2}
inline constexpr GUID IID_ITableDataManager = {
    0xD7C72AF1, 0x1E93, 0x4968, {0xB9, 0x49, 0xDA, 0x7E, 0x6A, 0xE6, 0x23, 0xF2}};
// {26737130-7707-4760-BDB4-FFD210253113}
inline constexpr GUID IID_ITableStoredRowInfo = {
    0x26737130, 0x7707, 0x4760, {0xBD, 0xB4, 0xFF, 0xD2, 0x10, 0x25, 0x31, 0x13}};
// {2DF7DCBB-CDE0-40A1-B6E7-DDBA8CF2114C}
inline constexpr GUID IID_ITableUserActionHandler = {
    0x2DF7DCBB, 0xCDE0, 0x40A1, {0xB6, 0xE7, 0xDD, 0xBA, 0x8C, 0xF2, 0x11, 0x4C}};

// Section bits of every call: 8 (or 0) the main grid, 0x10 the summary grid.
inline constexpr uint32_t kTableMainSection = 0x08;
inline constexpr uint32_t kTableSummarySection = 0x10;

// Cell style bits answered by GetCellStyle.
inline constexpr uint32_t kCellStyleLeftAligned = 0x01;
inline constexpr uint32_t kCellStyleShowChoice = 0x02;
inline constexpr uint32_t kCellStyleEditable = 0x04;
inline constexpr uint32_t kCellStyleChoice = 0x08;
inline constexpr uint32_t kCellStyleTitle = 0x10;
inline constexpr uint32_t kCellStyleRowNumber = 0x20;
inline constexpr uint32_t kCellStylePlaceholder = 0x80;
inline constexpr uint32_t kCellStyleHidden = 0x100;
inline constexpr uint32_t kCellStyleTabDown = 0x800;
inline constexpr uint32_t kCellStyleIndent = 0x1000;
inline constexpr uint32_t kCellStyleHighlight = 0x4000;

// Cells by (row, column): row 0 is the heading row, column 0 the row-number column.
struct ITableDataManager : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetCellText(uint32_t flags, int32_t row, int32_t column,
                                                QOR::IQORString** text) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCellStyle(uint32_t flags, int32_t row, int32_t column,
                                                 uint32_t* style) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetColumnCount(uint32_t flags, uint32_t* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSourceName(uint32_t value, QOR::IQORString** name) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetViewName(uint32_t value, QOR::IQORString** name) = 0;
};

struct ITableStoredRowInfo : IUnknown {
  // Rows of a section, the heading row included.
  virtual HRESULT STDMETHODCALLTYPE GetRowCount(uint32_t section, int32_t* count) = 0;
};

// One selected column of a selection change: rows first .. end - 1.
struct TableSelectionRecord {
  int32_t Column;
  int32_t FirstRow;
  int32_t EndRow;
};
static_assert(sizeof(TableSelectionRecord) == 12, "three 32-bit words per record");

struct ITableUserActionHandler : IUnknown {
  // An empty selection comes as the one record (0, 0, 0).
  virtual HRESULT STDMETHODCALLTYPE OnSelectionChanged(uint32_t flags,
                                                       const TableSelectionRecord* records,
                                                       int32_t count) = 0;
  // flags: the section plus 1 left click, 2 double click, 4 right click.
  virtual HRESULT STDMETHODCALLTYPE OnCellClick(uint32_t flags, int32_t row, int32_t column) = 0;
  // A cell's text was edited (value: the edited text as an IQORString*).
  virtual HRESULT STDMETHODCALLTYPE OnCellAction(uint32_t flags, int32_t row, int32_t column,
                                                 uintptr_t value) = 0;
  // A command on a cell; the grid reads a nonzero answer from a clear request as "clear it".
  virtual HRESULT STDMETHODCALLTYPE OnCellActionValue(uint32_t flags, int32_t value, int32_t row,
                                                      int32_t column, int32_t value2) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnShowLatestRowChanged(uint32_t value, VARIANT_BOOL on) = 0;
};

// Items of a cell's context menu.
struct IGridCellMenuSource : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetItemCount(uint32_t flags, int32_t row, int32_t column,
                                                 int32_t* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetItemText(uint32_t flags, int32_t row, int32_t column,
                                                int32_t item, QOR::IQORString** text) = 0;
};
