// Files the host writes, written whole or not at all: the content goes to a new file beside the
// target, which reaches the disk and then takes the target's name in one rename, so that a reader
// (another run, a program watching the folder) finds the old file or the new one, never a part of
// one, and a full disk or a power loss leaves the old one as it was.
#pragma once

#include "host/common/CheckedFile.h"

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace host {

// Whether path's folder takes the new file written beside path: ERROR_SUCCESS, else the Windows
// error. path itself is neither made nor changed.
DWORD FileBesideProblem(const std::wstring& path);

// Calls write with a new empty file beside path (named after it, see BesideFiles.h); when write
// succeeds and every byte it wrote, and the file's close, reached the disk, that file replaces
// path, taking its hidden, system and not-indexed attributes (a program holding path open gets a
// second to close it), else (or when write throws) it is removed and path stays as it was, byte
// for byte. A file that a run killed while it saved left beside path is removed first. write's
// failure, or the Windows error met making, writing, closing or renaming the file as an HRESULT.
HRESULT WriteReplacing(const std::wstring& path, const std::function<HRESULT(CheckedFile& beside)>& write);

// The bytes written so.
HRESULT WriteBytesReplacing(const std::wstring& path, std::string_view bytes);

}  // namespace host
