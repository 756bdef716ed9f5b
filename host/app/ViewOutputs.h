// What the analyze command takes from a shown view the way a user does: the pages of its print
// preview, what its copy put on the clipboard and the Data Pad's rows after "Add to Data Pad".
#pragma once

#include <windows.h>

#include <string>

namespace ondara_host {

// Each function answers an empty text, or one line saying what failed.

// Chooses "File|Print Preview" in the view's frame and writes each page of the previews that
// opened as FOLDER\NAME-page-N.png (N from 1, on through the printouts in the order they came),
// then closes them.
std::wstring WritePrintPreview(HWND frame, const std::wstring& name, const std::wstring& folder);

// Chooses "Edit|Copy" in the view's frame and writes what the clipboard then holds to file: its
// text in UTF-8, or else its picture as PNG.
std::wstring WriteCopy(HWND frame, const std::wstring& file);

// Clicks the view's "Add to Data Pad" button and writes the host's Data Pad to file in UTF-8:
// one line per row up to the last one used, its number from 1, then its cells, TAB-separated.
std::wstring WriteDataPad(HWND frame, const std::wstring& file);

}  // namespace ondara_host
