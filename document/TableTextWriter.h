// The Table View's text file: TAB-separated cells, CR LF line ends, one byte per character (UTF-16
// when the heading needs it).
#pragma once

#include <windows.h>

struct IHostProgress;
struct ITableDataManager;
struct ITableStoredRowInfo;

namespace ZR {

// Writes the heading line and one line per event, then, when withSummary, an empty line and the
// summary section's lines, into fileName (replaced when it exists). A heading holding a character
// above 255 makes the file UTF-16 little-endian after the bytes FF FE; otherwise such a character
// in a later line is written as '?'. After each line the progress (may be null) shows the whole
// percentage done, with its text "n %" when the number changed; a cancel there deletes the file.
// S_OK; S_FALSE when cancelled; the system's error when the file cannot be made or written
// (a partly written file is deleted).
HRESULT WriteTableText(ITableDataManager& data, ITableStoredRowInfo& rows, bool withSummary,
                       const wchar_t* fileName, IHostProgress* progress);

}  // namespace ZR
