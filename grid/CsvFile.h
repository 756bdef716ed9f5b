// CSV files of table text: cell quoting and the file written as ANSI or UTF-16.
#pragma once

#include "base/String.h"

#include <windows.h>

#include <cstdint>
#include <string>

// The cell as a CSV field: in double quotes, its quotes doubled, when it holds the separator, a
// quote, CR or LF; otherwise unchanged.
QOR::String QuoteCsvCell(const QOR::String& text, const wchar_t* separator);
// UTF-16 when a unit is above U+00FF, when the thread's ANSI code page cannot hold the text, or
// when the application's language is one whose spreadsheets read CSV as Unicode.
// codePage: the ANSI code page the file would use.
bool CsvNeedsUnicode(const std::wstring& text, LANGID language, UINT codePage = CP_THREAD_ACP);
// Replaces fileName with the text (UTF-16 after FF FE, or ANSI without NUL), written whole to a new
// file beside it first: S_OK, or the system's error as an HRESULT when that file cannot be made,
// written or put in fileName's place (ERROR_DISK_FULL on a full disk); fileName then stays as it was.
HRESULT WriteCsvFile(const wchar_t* fileName, const std::wstring& text, LANGID language) noexcept;
