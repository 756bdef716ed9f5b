// The comment's attention frame.
#include "hostclient/CommentAnimation.h"

namespace ScrivoClient {
namespace {

int Between(int a, int b, int step) noexcept { return a + (b - a) * step / kAnimationSteps; }

HWND OutermostParent(HWND window) noexcept {
  while ((GetWindowLongW(window, GWL_STYLE) & WS_CHILD) && GetParent(window))
    window = GetParent(window);
  return window;
}

void DrawFrame(HDC dc, FrameShape shape, const RECT& r) noexcept {
  if (shape == FrameShape::Ellipse) {
    Ellipse(dc, r.left, r.top, r.right, r.bottom);
    return;
  }
  const POINT outline[5] = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom},
                            {r.left, r.bottom}, {r.left, r.top}};
  Polyline(dc, outline, 5);
}

}  // namespace

RECT AnimationFrame(const RECT& from, const RECT& to, int step) noexcept {
  return RECT{Between(from.left, to.left, step), Between(from.top, to.top, step),
              Between(from.right, to.right, step), Between(from.bottom, to.bottom, step)};
}

void AnimateFrame(HWND window, FrameShape shape, const RECT& from, const RECT& to,
                  unsigned milliseconds) noexcept {
  if (!window || !IsWindowVisible(window) || IsIconic(window)) return;
  GdiFlush();
  Sleep(50);
  const HWND outer = OutermostParent(window);
  const HDC dc = GetWindowDC(outer);
  if (!dc) return;
  // The rectangles are in window's client coordinates; the DC's origin is outer's window corner.
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  RECT outerRect;
  GetWindowRect(outer, &outerRect);
  SetViewportOrgEx(dc, origin.x - outerRect.left, origin.y - outerRect.top, nullptr);
  const HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
  const HGDIOBJ oldPen = SelectObject(dc, pen);
  const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  const int oldRop = SetROP2(dc, R2_NOT);
  for (int step = 1; step <= kAnimationSteps; ++step) {
    const RECT frame = AnimationFrame(from, to, step);
    DrawFrame(dc, shape, frame);
    GdiFlush();
    Sleep(milliseconds / kAnimationSteps);
    DrawFrame(dc, shape, frame);
  }
  SetROP2(dc, oldRop);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  ReleaseDC(outer, dc);
}

}  // namespace ScrivoClient
