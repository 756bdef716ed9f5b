// The screen's resolution and sizes scaled to it.
#include "platform/uihelpers/ScreenDpi.h"

#include <windows.h>

namespace QOR {

int ScreenDpi() noexcept {
  HDC const screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kBaseDpi;
}

int ScaleForDpi(int pixels, int dpi) noexcept { return MulDiv(pixels, dpi, kBaseDpi); }

int UnscaleForDpi(int pixels, int dpi) noexcept { return dpi > 0 ? MulDiv(pixels, kBaseDpi, dpi) : pixels; }

}  // namespace QOR
