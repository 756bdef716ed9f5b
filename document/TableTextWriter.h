// The Table View's text file: TAB-separated cells, CR LF line ends, one byte per character (UTF-16
// when the heading needs it).
#pragma once

#include <windows.h>

struct IHostProgress;
struct ITableDataManager;
struct ITableStoredRowInfo;

namespace ZR {

// Writes the heading line and one line per event, then, when withSummary, an empty line and the
// summary section's lines, into a new file that then replaces fileName. A heading holding a
// character above 255 makes the file UTF-16 little-endian after the bytes FF FE; otherwise such a
// character in a later line is written as '?'. After each line the progress (may be null) shows
// the whole percentage done, with its text "n %" when the number changed. S_OK; S_FALSE when
// cancelled; the system's error when the file cannot be made or written (ERROR_DISK_FULL on a
// full disk). Unless S_OK, the file there before is left as it was, and none is made.
HRESULT WriteTableText(ITableDataManager& data, ITableStoredRowInfo& rows, bool withSummary,
                       const wchar_t* fileName, IHostProgress* progress);

}  // namespace ZR
