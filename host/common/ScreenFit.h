// Window sizes given in pixels of a 96-dpi screen, scaled to the screen's resolution and kept on
// it, as a host sizes its windows on a finer screen.
#pragma once

#include <windows.h>

namespace host {

// The screen's resolution across and down, in dots per inch (96 where it cannot be read).
POINT ScreenResolution() noexcept;

// The primary screen's work area (the whole screen where it cannot be read).
RECT ScreenWorkArea() noexcept;

// at96 at a screen of dpi, but no wider or higher than reaches from corner to the work area's
// right and bottom edges, so that a window placed at corner stays wholly on the screen.
SIZE FitToScreen(SIZE at96, POINT dpi, POINT corner, const RECT& workArea) noexcept;

}  // namespace host
