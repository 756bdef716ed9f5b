// Files the host writes, written whole or not at all: the content goes to a new file in the
// target's folder, which then takes the target's name in one rename, so that a reader (another
// run, a program watching the folder) finds the old file or the new one, never a part of one.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace host {

// Whether path's folder takes the new file written beside path: ERROR_SUCCESS, else the Windows
// error. path itself is neither made nor changed.
DWORD FileBesideProblem(const std::wstring& path);

// Calls write with the path of a new empty file beside path, under a name no other file has (made
// there, so that two writers never share one); when write succeeds that file
// replaces path, else (or when write throws) it is removed and path stays as it was. write's
// failure, or the Windows error of the replacement as an HRESULT.
HRESULT WriteReplacing(const std::wstring& path, const std::function<HRESULT(const std::wstring& beside)>& write);

// The bytes written so.
HRESULT WriteBytesReplacing(const std::wstring& path, std::string_view bytes);

}  // namespace host
