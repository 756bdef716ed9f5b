// The host application's Data Pad sheet.
#include "host/data/DataPad.h"

#include "host/common/HostString.h"

#include <new>

namespace host {

HostPtr<DataPad> DataPad::Create() {
  HostPtr<DataPad> pad;
  pad.Attach(new DataPad());
  return pad;
}

void* DataPad::FindInterface(REFIID iid) {
  if (iid == IID_IUnknown || iid == IID_IHostDataPad) return static_cast<IHostDataPad*>(this);
  return nullptr;
}

static bool InSheet(int32_t row, int32_t column) {
  return row >= 0 && row < kDataPadRows && column >= 0 && column < kDataPadColumns;
}

HRESULT DataPad::GetCell(int32_t, int32_t, int32_t row, int32_t column, QOR::IQORString** text) noexcept {
  if (!text) return E_POINTER;
  *text = nullptr;
  try {
    *text = MakeHostString(Cell(row, column)).Detach();
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

HRESULT DataPad::SetCell(int32_t, int32_t, int32_t row, int32_t column, QOR::IQORString* text,
                         VARIANT_BOOL) noexcept {
  if (!InSheet(row, column)) return E_INVALIDARG;
  try {
    std::wstring value = StringText(text);
    if (value.empty()) {
      const auto found = mRows.find(row);
      if (found == mRows.end()) return S_OK;
      found->second.erase(column);
      if (found->second.empty()) mRows.erase(found);
      return S_OK;
    }
    mRows[row][column] = std::move(value);
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

std::wstring DataPad::Cell(int32_t row, int32_t column) const {
  const auto found = mRows.find(row);
  if (found == mRows.end()) return std::wstring();
  const auto cell = found->second.find(column);
  return cell == found->second.end() ? std::wstring() : cell->second;
}

int32_t DataPad::UsedRows() const { return mRows.empty() ? 0 : mRows.rbegin()->first + 1; }

void DataPad::Print(std::wostream& out) const {
  const int32_t used = UsedRows();
  for (int32_t row = 0; row < used; ++row) {
    out << row + 1;
    const auto found = mRows.find(row);
    if (found != mRows.end()) {
      int32_t column = 0;
      for (const auto& [at, text] : found->second) {
        for (; column <= at; ++column) out << L'\t';
        out << text;
      }
    }
    out << L'\n';
  }
}

DataPad& TheDataPad() {
  static DataPad* const pad = DataPad::Create().Detach();  // lives as long as the process
  return *pad;
}

}  // namespace host
