// The column-state record: a table's column layout as it is kept in the document's settings
// stream, with no header of its own. Every value is a 32-bit little-endian word:
//   version (2), n, the n map entries in display order, the n stored widths by data column,
//   end marker 1337.
// A version 0 or 1 record has no widths: its columns get the default width.
#pragma once

#include "grid/ColumnLayout.h"

#include <windows.h>

#include <cstdint>

struct IBinInStream;
struct IBinOutStream;

inline constexpr int32_t kColumnStateVersion = 2;
inline constexpr int32_t kColumnStateEndMarker = 1337;
// More columns than any table shows: a larger count is taken for a damaged record.
inline constexpr uint32_t kColumnStateMaxColumns = 4096;

void WriteColumnState(IBinOutStream& out, const ColumnLayout& layout);

// Reads one record. Throws XQOR kXQORUnsupportedForm (base/XQOR.h) for a version above 2, before reading
// further, and XQOR STG_E_DOCFILECORRUPT for a record cut short, a count above
// kColumnStateMaxColumns, a wrong end marker, a map that is not a permutation or that moves the
// first (fixed) column, or a width no column can have. storedWidth is
// given to every column of a record without widths.
ColumnLayout ReadColumnState(IBinInStream& in, int32_t storedWidth);
