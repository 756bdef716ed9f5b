// Where the host puts a new view frame and how big it makes it: below and right of the last one
// it opened, as hosts cascade their document windows, so that a second view never hides the
// first, and sized for the screen's resolution.
#pragma once

#include <windows.h>

namespace host {

// The top-left corner of a new frame of size frame. Without a last frame (or with none open) it
// goes kFirstFrameOffset pixels into the work area; otherwise step pixels below and right of
// last, unless it would then reach past the work area's right or bottom edge, where it starts
// again at the first place.
inline constexpr int kFirstFrameOffset = 40;
POINT NextFramePosition(const RECT* last, SIZE frame, const RECT& workArea, int step) noexcept;

// The screen's cascading step: a caption and a sizing border, so that each frame's title shows.
int FrameCascadeStep() noexcept;

// A new frame's size: kFrameSizeAt96 (pixels of a 96-dpi screen) at a screen of dpiX x dpiY, as
// a host sizes its windows on a finer screen, but never reaching past the work area from the
// first frame's place, so that the whole frame stays on the screen.
inline constexpr SIZE kFrameSizeAt96{640, 480};
SIZE FrameSize(int dpiX, int dpiY, const RECT& workArea) noexcept;

}  // namespace host
