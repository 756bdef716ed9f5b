// ITableColumnInfo: what a table client may say about a data column besides its cells: its name
// and units. Ownership: strings come with one reference for the caller.
#pragma once

#include "hostapi/QORString.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {ACDB7226-F88C-45E4-8394-87543571F4EF}
inline constexpr GUID IID_ITableColumnInfo = {
    0xACDB7226, 0xF88C, 0x45E4, {0x83, 0x94, 0x87, 0x54, 0x35, 0x71, 0xF4, 0xEF}};

struct ITableColumnInfo : IUnknown {
  // column: the data column (0 is the first after the row numbers).
  virtual HRESULT STDMETHODCALLTYPE GetColumnName(int32_t column, QOR::IQORString** name) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetColumnUnits(int32_t column, QOR::IQORString** units) = 0;
};
