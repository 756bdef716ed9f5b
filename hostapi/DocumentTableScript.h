// Host scripting of a module document's table: what the host's command line asks of a document
// in place of a user who presses the Table View's "Export..." and names a file.
// Ownership: strings passed in are borrowed for the call.
#pragma once

#include <unknwn.h>
#include <windows.h>

// {8B2D4F61-0C37-4E9A-A5D2-6E1F3B7C9A14}
inline constexpr GUID IID_IDocumentTableScript = {
    0x8B2D4F61, 0x0C37, 0x4E9A, {0xA5, 0xD2, 0x6E, 0x1F, 0x3B, 0x7C, 0x9A, 0x14}};

struct IDocumentTableScript : IUnknown {
  // Slot 3: exports the document's table to fileName as the save dialog's answer would: a name
  // whose extension is "csv" goes to the grid's CSV export, any other to the text export.
  // S_OK; S_FALSE when the user cancelled at the progress display; E_POINTER for a null name;
  // E_FAIL without a data file; the export's failure otherwise (the user has been shown it).
  virtual HRESULT STDMETHODCALLTYPE ExportTableFile(const wchar_t* fileName) = 0;
};
