// A dialog made from a template, widened to the true average character width of its font.
// The dialog manager lays templates out in whole pixels per four dialog units: the font's
// average width rounded (Tahoma 8 pt measures 6.35 pixels here and is laid out as 6), so every
// text runs a few per cent wider than the box the template drew for it.
#pragma once

#include <windows.h>

namespace QOR {

// The font's average character width over the 52 letters, in pixels (not rounded); 0 when
// there is no font or no screen.
double AverageCharWidth(HFONT font) noexcept;

// Widens dialog and every child it holds by the ratio of its font's average character width
// to the width the dialog manager laid it out with, when the font is the wider; positions and
// widths scale alike, heights stay. Nothing changes when the layout is wide enough already.
void FitDialogToFontWidth(HWND dialog) noexcept;

}  // namespace QOR
