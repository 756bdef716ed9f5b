// The Table View's column record in the document's settings stream: the significant figures of
// each measurement, as -1, 2 (version), entries {key, 1, figures, measurement}, -1, -1.
#pragma once

#include "document/CellFormat.h"

#include <cstdint>
#include <map>

struct IBinInStream;
struct IBinOutStream;

namespace ZR {

using CellFormatMap = std::map<int32_t, CellFormat>;

// Answers true (the stream's own state tells of a failed write).
bool SaveColumnRecord(IBinOutStream& out, const CellFormatMap& formats);
// True when a whole, well-formed record was read (or an earlier record form skipped). Reading
// stops at the first failed read, a key outside 0..58, figures outside the Format Column
// dialog's 1..10 or a measurement (0..58) other than its key; entries read before stay stored.
// A version other than 2 stores nothing.
bool LoadColumnRecord(IBinInStream& in, CellFormatMap& formats);

}  // namespace ZR
