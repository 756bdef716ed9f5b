// The column-state record: writing a column layout and reading it back with every word checked.
#include "grid/ColumnStateRecord.h"

#include "base/IBinStream.h"
#include "base/XQOR.h"

#include <vector>

namespace {

[[noreturn]] void Damaged() { throw XQOR(STG_E_DOCFILECORRUPT); }

// The next word, or the record is damaged when the stream fails before it arrives.
uint32_t ReadChecked(IBinInStream& in) {
  const int32_t word = ReadWord(in);
  if (in.GetStatus() != S_OK) Damaged();
  return static_cast<uint32_t>(word);
}

}  // namespace

void WriteColumnState(IBinOutStream& out, const ColumnLayout& layout) {
  out.WriteLong(kColumnStateVersion);
  out.WriteLong(static_cast<long>(layout.Count()));
  for (const uint32_t column : layout.Map()) out.WriteLong(static_cast<long>(column));
  for (const int32_t width : layout.Widths()) out.WriteLong(width);
  out.WriteLong(kColumnStateEndMarker);
}

ColumnLayout ReadColumnState(IBinInStream& in, int32_t storedWidth) {
  const uint32_t version = ReadChecked(in);
  if (version > static_cast<uint32_t>(kColumnStateVersion)) throw XQOR(kXQORUnsupportedForm);
  const uint32_t n = ReadChecked(in);
  if (n > kColumnStateMaxColumns) Damaged();
  std::vector<uint32_t> map;
  map.reserve(n);
  for (uint32_t i = 0; i < n; ++i) map.push_back(ReadChecked(in));
  std::vector<int32_t> widths;
  widths.reserve(n);
  for (uint32_t i = 0; i < n; ++i)
    widths.push_back(version >= 2 ? static_cast<int32_t>(ReadChecked(in)) : storedWidth);
  if (ReadChecked(in) != static_cast<uint32_t>(kColumnStateEndMarker)) Damaged();
  // The first column is the grid's fixed one, the row numbers: the title bar moves only the
  // columns after it, so a map that moves it comes only from damage.
  if (!map.empty() && map[0] != 0) Damaged();
  ColumnLayout layout(std::move(map), std::move(widths));
  if (!layout.IsConsistent()) Damaged();
  return layout;
}
