// Pictures of the host's windows as the display shows them, written as PNG files.
#pragma once

#include <windows.h>

#include <string>

namespace ondara_host {

// Copies window (frame and all, with the visible windows it owns, such as a tip) from the display
// into a 32-bit DIB and writes it to path through GDI+'s PNG encoder. S_OK, or the first failure
// (E_FAIL when GDI+ has no PNG encoder).
HRESULT SaveWindowPicture(HWND window, const std::wstring& path);

// A bitmap, or an enhanced metafile played at the size of its frame on the device it was made
// for over white, written as a PNG file. S_OK, or the first failure.
HRESULT SaveBitmapPicture(HBITMAP bitmap, const std::wstring& path);
HRESULT SaveMetafilePicture(HENHMETAFILE metafile, const std::wstring& path);

// Dispatches every message waiting for this thread as the host's message loop does, so that the
// windows have painted.
void PumpUntilIdle();

}  // namespace ondara_host
