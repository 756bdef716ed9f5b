// ITableCellValue: the number behind a cell's text, which a table client may offer beside its
// cells, so that a cell too narrow for its text shows the number rounded to fewer figures rather
// than its text rounded a second time (0.002649965 shown "0.002650" is 0.0026 at two figures,
// where "0.002650" would give 0.0027).
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {01492CF5-9A2A-41A9-8DAC-933257ECF2A8}
inline constexpr GUID IID_ITableCellValue = {
    0x01492CF5, 0x9A2A, 0x41A9, {0x8D, 0xAC, 0x93, 0x32, 0x57, 0xEC, 0xF2, 0xA8}};

struct ITableCellValue : IUnknown {
  // The value the cell's text writes, in the text's unit: S_OK; S_FALSE with a NaN for a cell
  // whose text is not a rounded value (a heading, a count, a whole number, a date); E_POINTER.
  // Cells are addressed as in ITableDataManager.
  virtual HRESULT STDMETHODCALLTYPE GetCellValue(uint32_t flags, int32_t row, int32_t column, double* value) = 0;
};
