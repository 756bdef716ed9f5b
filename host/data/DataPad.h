// The host application's Data Pad: a sheet of rows and 26 columns of text cells that modules
// fill through IHostDataPad and the host prints.
#pragma once

#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "host/common/ReservedSlots.h"
#include "hostapi/HostDataPad.h"

#include <cstdint>
#include <map>
#include <ostream>
#include <string>

namespace host {

class DataPad final : public HostObject<IHostDataPad> {
 public:
  // A new, empty sheet with one reference for the caller.
  static HostPtr<DataPad> Create();

  HOST_RESERVED_SLOT(3) HOST_RESERVED_SLOT(4) HOST_RESERVED_SLOT(5) HOST_RESERVED_SLOT(6)
  HOST_RESERVED_SLOT(7) HOST_RESERVED_SLOT(8) HOST_RESERVED_SLOT(9) HOST_RESERVED_SLOT(10)
  HOST_RESERVED_SLOT(11) HOST_RESERVED_SLOT(12) HOST_RESERVED_SLOT(13) HOST_RESERVED_SLOT(14)
  HOST_RESERVED_SLOT(15) HOST_RESERVED_SLOT(16) HOST_RESERVED_SLOT(17) HOST_RESERVED_SLOT(18)
  HOST_RESERVED_SLOT(19) HOST_RESERVED_SLOT(20) HOST_RESERVED_SLOT(21) HOST_RESERVED_SLOT(22)
  HOST_RESERVED_SLOT(23) HOST_RESERVED_SLOT(24) HOST_RESERVED_SLOT(25) HOST_RESERVED_SLOT(26)
  HOST_RESERVED_SLOT(27) HOST_RESERVED_SLOT(28) HOST_RESERVED_SLOT(29)
  HRESULT STDMETHODCALLTYPE GetCell(int32_t sheet, int32_t page, int32_t row, int32_t column,
                                    QOR::IQORString** text) noexcept override;
  HRESULT STDMETHODCALLTYPE SetCell(int32_t sheet, int32_t page, int32_t row, int32_t column,
                                    QOR::IQORString* text, VARIANT_BOOL redraw) noexcept override;

  // The text of a cell; empty when never written or outside the sheet.
  std::wstring Cell(int32_t row, int32_t column) const;
  // One past the last row holding a non-empty cell (0 for an empty sheet).
  int32_t UsedRows() const;
  // Every row up to the last used one: the row number (from 1, as the user sees it), then each
  // cell up to the row's last non-empty one, TAB-separated, one line per row.
  void Print(std::wostream& out) const;

 private:
  DataPad() = default;
  void* FindInterface(REFIID iid) override;

  std::map<int32_t, std::map<int32_t, std::wstring>> mRows;  // only non-empty cells
};

// The host application's one Data Pad, made on first use.
DataPad& TheDataPad();

}  // namespace host
