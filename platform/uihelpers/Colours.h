// Colour helpers: lightening a colour toward light grey, and the table of system colours the
// classic drawing code uses.
#pragma once

#include <windows.h>

#include <array>

namespace QOR {

// delta = (720 - R - G - B) * factor / 3 added to every channel, each clamped to 0..240 (so
// black and white both become 240 grey with factor 1).
COLORREF LightenColour(COLORREF colour, double factor) noexcept;

// COLOR_BTNTEXT, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNHIGHLIGHT, white, COLOR_WINDOW, as
// read by the last InitSystemColours (run at start-up and again after a colour change), which
// fills two tables alike: one for the trace drawing's frames, one for the controls' classic look.
enum SystemColourIndex { kBtnText, kBtnShadow, kBtnFace, kBtnHighlight, kWhite, kWindow };
void InitSystemColours() noexcept;
const std::array<COLORREF, 6>& SystemColours() noexcept;
const std::array<COLORREF, 6>& ControlSystemColours() noexcept;

}  // namespace QOR
