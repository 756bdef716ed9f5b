// The cascade of the host's view frames and their size.
#include "host/view/FrameCascade.h"

#include "host/common/ScreenFit.h"

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
  const POINT first{workArea.left + kFirstFrameOffset, workArea.top + kFirstFrameOffset};
  return FitToScreen(kFrameSizeAt96, POINT{dpiX, dpiY}, first, workArea);
}

}  // namespace host
