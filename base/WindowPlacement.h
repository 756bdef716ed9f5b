// The window-placement record: a window's rectangle as kept in the binary storage streams, and
// how it is put back on a monitor and applied.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/IBinStream.h"

namespace QOR {

struct WindowPlacement {
  uint8_t readError = 0;  // set when reading the record went wrong
  RECT rect{};            // screen coordinates
  uint8_t valid = 0;      // set when a rectangle is known
};

// On the stream: 1 (record version), the valid flag, when valid top, left, bottom, right, then 777;
// the rectangle is first moved onto its monitor.
void WriteWindowPlacement(IBinOutStream& out, const WindowPlacement& placement) noexcept;
// Reads what WriteWindowPlacement writes. A record of another version is skipped after its version
// word (invalid, no error). The error flag is set when a read fails or the end marker is not 777;
// a rectangle read is kept, moved onto its monitor, even then.
void ReadWindowPlacement(IBinInStream& in, WindowPlacement& placement) noexcept;
// Moves rect, without resizing it, into the work area of the monitor nearest to it; top and left
// win for a rectangle larger than the work area.
void KeepWindowOnMonitor(RECT& rect) noexcept;
// Places the window at the record's rectangle when that (kept on its monitor) has the window's
// size; otherwise centres the window on its monitor's work area and stores that in the record.
void ApplyWindowPlacement(HWND window, WindowPlacement& placement) noexcept;
// The window's rectangle as a valid record.
WindowPlacement CaptureWindowPlacement(HWND window) noexcept;

}  // namespace QOR
