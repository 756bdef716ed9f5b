// The Table View's "Export..." command: the save dialog, then the document's export of the table.
#pragma once

#include <windows.h>

namespace ZR::Doc {
class ZRDoc;
}

// Asks for a file through the save dialog (owned by owner, opening in the user's documents
// folder, text files offered first) and has the document export the table to it. Nothing
// happens when the documents folder cannot be found or the dialog is cancelled.
void RunTableViewExport(HWND owner, ZR::Doc::ZRDoc& document);
