// Window sizes scaled to the screen and kept on it.
#include "host/common/ScreenFit.h"

#include <algorithm>

namespace host {

POINT ScreenResolution() noexcept {
  HDC const screen = GetDC(nullptr);
  POINT dpi{screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96, screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96};
  if (screen) ReleaseDC(nullptr, screen);
  if (dpi.x <= 0) dpi.x = 96;
  if (dpi.y <= 0) dpi.y = 96;
  return dpi;
}

RECT ScreenWorkArea() noexcept {
  RECT work{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
    work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return work;
}

SIZE FitToScreen(SIZE at96, POINT dpi, POINT corner, const RECT& workArea) noexcept {
  const LONG roomX = std::max<LONG>(0, workArea.right - corner.x);
  const LONG roomY = std::max<LONG>(0, workArea.bottom - corner.y);
  return SIZE{std::min<LONG>(MulDiv(at96.cx, dpi.x, 96), roomX), std::min<LONG>(MulDiv(at96.cy, dpi.y, 96), roomY)};
}

}  // namespace host
