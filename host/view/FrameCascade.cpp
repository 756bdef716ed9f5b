// The cascade of the host's view frames.
#include "host/view/FrameCascade.h"

namespace host {

POINT NextFramePosition(const RECT* last, SIZE frame, const RECT& workArea, int step) noexcept {
  const POINT first{workArea.left + kFirstFrameOffset, workArea.top + kFirstFrameOffset};
  if (!last) return first;
  const POINT next{last->left + step, last->top + step};
  if (next.x + frame.cx > workArea.right || next.y + frame.cy > workArea.bottom) return first;
  return next;
}

int FrameCascadeStep() noexcept { return GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYSIZEFRAME); }

}  // namespace host
