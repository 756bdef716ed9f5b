// Small services of the trace-drawing library: cache bitmaps, the time scale's label font and
// the trace colour adjustment against a black background.
#pragma once

#include <windows.h>

namespace OWL {
class TFont;
}
namespace QOR {
class ScreenBitMapDC;
}

namespace ScrivoDraw {

// A memory DC with a screen-compatible bitmap of that size, owned by the caller; null when it
// cannot be made (no memory, or no bitmap of that size).
QOR::ScreenBitMapDC* CreateScreenBitmapDC(int width, int height) noexcept;

// The dialog face for a screen DC at 10 points, 12 when the application's primary language is
// Chinese or Japanese; owned by the caller.
OWL::TFont* CreateScreenLabelFont();

// Against black, mirrors the colour's brightness and keeps the differences between its channels
// (black becomes white, white black); against any other background the colour is unchanged.
COLORREF ContrastAdjust(COLORREF colour, COLORREF background) noexcept;

}  // namespace ScrivoDraw
