// The fonts of the user interface: the dialog face "MS Shell Dlg 2" and the system's default
// GUI face, at point sizes converted for a device context. Each function answers a new font
// the caller owns.
#pragma once

#include "platform/owl/TSize.h"

#include <windows.h>

namespace OWL {
class TDC;
class TFont;
}  // namespace OWL

namespace QOR {

// 12 points when the application's language is Chinese or Japanese, else 10.
int UserInterfacePointSize() noexcept;

// "MS Shell Dlg 2", weight 400, variable pitch swiss, DEFAULT_CHARSET; points 0 means the
// user-interface size; angle in tenths of a degree (escapement and orientation). TrueType
// only unless the DC is a raster display and the text is not rotated.
LOGFONTW DialogLogFont(const OWL::TDC& dc, int points, int angle = 0, bool underline = false);
OWL::TFont* CreateDialogFont(const OWL::TDC& dc, int points, int angle = 0);
// The same for dc, or for the screen when dc is null.
OWL::TFont* CreateFontForDC(const OWL::TDC* dc, int points, int angle = 0, bool underline = false);
// The default GUI font's face at points for dc, weight 700 when bold else 400.
OWL::TFont* CreateDefaultGUIFont(const OWL::TDC& dc, int points, bool bold);
// The font's average character width and its height plus external leading on the screen;
// (0, 0) when no screen DC can be had.
OWL::TSize GetScreenTextMetrics(HFONT font) noexcept;

}  // namespace QOR
