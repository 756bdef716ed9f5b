// OWL::TSlider: trackbar range and position.
#include "platform/owl/TSlider.h"

#include <commctrl.h>

namespace OWL {

TSlider::TSlider(TWindow* parent, int id, int x, int y, int w, int h, DWORD style, TModule* module)
    : TScrollBar(parent, id, x, y, w, h, (style & TBS_VERT) == 0, module) {
  Attr.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | style;
}

TSlider::TSlider(TWindow* parent, int resourceId, TModule* module)
    : TScrollBar(parent, resourceId, module) {}

// Applies what was set before the window existed (the scroll bar's default range would not).
void TSlider::SetupWindow() {
  TControl::SetupWindow();
  SetRange(mMin, mMax);
  SetPosition(mPos);
}

void TSlider::GetRange(int& min, int& max) const {
  if (!mHandle) {
    min = mMin;
    max = mMax;
    return;
  }
  min = static_cast<int>(SendMessage(TBM_GETRANGEMIN));
  max = static_cast<int>(SendMessage(TBM_GETRANGEMAX));
}

void TSlider::SetRange(int min, int max, bool redraw) {
  mMin = min;
  mMax = max;
  if (!mHandle) return;
  SendMessage(TBM_SETRANGEMIN, FALSE, min);
  SendMessage(TBM_SETRANGEMAX, redraw, max);
}

int TSlider::GetPosition() const {
  return mHandle ? static_cast<int>(SendMessage(TBM_GETPOS)) : mPos;
}

void TSlider::SetPosition(int thumbPos, bool redraw) {
  if (thumbPos < mMin) thumbPos = mMin;
  if (thumbPos > mMax) thumbPos = mMax;
  mPos = thumbPos;
  if (mHandle) SendMessage(TBM_SETPOS, redraw, thumbPos);
}

void TSlider::SetRuler(int ticGap) noexcept {
  if (mHandle) SendMessage(TBM_SETTICFREQ, ticGap);
}

}  // namespace OWL
