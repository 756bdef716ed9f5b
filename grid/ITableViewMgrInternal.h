// ITableViewMgrInternal: what the table view window asks of the manager that owns it: moving a
// column and reading and storing a column's width, both by display position.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {69B45660-AA93-41AA-AF4A-018E334AC195}
inline constexpr GUID IID_ITableViewMgrInternal = {
    0x69B45660, 0xAA93, 0x41AA, {0xAF, 0x4A, 0x01, 0x8E, 0x33, 0x4A, 0xC1, 0x95}};

// Widths are the shown widths in pixels at 96 dpi, which the window scales to its screen's
// resolution: a document's stored widths then mean the same on every screen, and those stored
// before screens of other resolutions were served keep their meaning. The manager keeps each
// width per data column, so a moved column keeps its width.
struct ITableViewMgrInternal : IUnknown {
  // The column at display position from goes to position to of the map without it (a position
  // past its end appends it). E_FAIL for a from past the map, E_INVALIDARG for a negative one.
  virtual HRESULT STDMETHODCALLTYPE MoveColumn(uint32_t, int32_t from, int32_t to) = 0;
  // A position past the widths gives the default width and E_FAIL.
  virtual HRESULT STDMETHODCALLTYPE GetColumnWidth(uint32_t, int32_t position, int32_t* width) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetColumnWidth(uint32_t, int32_t position, int32_t width) = 0;
};
