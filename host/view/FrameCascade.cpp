// The cascade of the host's view frames and their size.
#include "host/view/FrameCascade.h"

#include <algorithm>

namespace host {

POINT NextFramePosition(const RECT* last, SIZE frame, const RECT& workArea, int step) noexcept {
  const POINT first{workArea.left + kFirstFrameOffset, workArea.top + kFirstFrameOffset};
  if (!last) return first;
  const POINT next{last->left + step, last->top + step};
  if (next.x + frame.cx > workArea.right || next.y + frame.cy > workArea.bottom) return first;
  return next;
}

int FrameCascadeStep() noexcept { return GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYSIZEFRAME); }

SIZE FrameSize(int dpiX, int dpiY, const RECT& workArea) noexcept {
  const LONG roomX = std::max<LONG>(0, workArea.right - workArea.left - kFirstFrameOffset);
  const LONG roomY = std::max<LONG>(0, workArea.bottom - workArea.top - kFirstFrameOffset);
  return SIZE{std::min<LONG>(MulDiv(kFrameSizeAt96.cx, dpiX, 96), roomX),
              std::min<LONG>(MulDiv(kFrameSizeAt96.cy, dpiY, 96), roomY)};
}

POINT ScreenResolution() noexcept {
  HDC const screen = GetDC(nullptr);
  POINT dpi{screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96, screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96};
  if (screen) ReleaseDC(nullptr, screen);
  if (dpi.x <= 0) dpi.x = 96;
  if (dpi.y <= 0) dpi.y = 96;
  return dpi;
}

}  // namespace host
