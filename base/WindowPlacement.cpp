// The window-placement record in the binary storage streams, and placing windows on monitors.
#include "base/WindowPlacement.h"

namespace QOR {

namespace {

constexpr int32_t kPlacementVersion = 1;
constexpr int32_t kPlacementEndMarker = 777;
// SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER
constexpr UINT kPlaceFlags = 0x214;

RECT WorkAreaNearest(const RECT& rect) noexcept {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  const HMONITOR monitor = MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
  if (!monitor || !GetMonitorInfoW(monitor, &info)) return rect;
  return info.rcWork;
}

void Move(RECT& rect, LONG dx, LONG dy) noexcept { OffsetRect(&rect, dx, dy); }

}  // namespace

void KeepWindowOnMonitor(RECT& rect) noexcept {
  const RECT work = WorkAreaNearest(rect);
  if (rect.bottom > work.bottom) Move(rect, 0, work.bottom - rect.bottom);
  if (rect.right > work.right) Move(rect, work.right - rect.right, 0);
  if (rect.top < work.top) Move(rect, 0, work.top - rect.top);
  if (rect.left < work.left) Move(rect, work.left - rect.left, 0);
}

void WriteWindowPlacement(IBinOutStream& out, const WindowPlacement& placement) noexcept {
  out.WriteLong(kPlacementVersion);
  out.WriteLong(placement.valid ? 1 : 0);
  if (placement.valid) {
    RECT rect = placement.rect;
    KeepWindowOnMonitor(rect);
    out.WriteLong(rect.top);
    out.WriteLong(rect.left);
    out.WriteLong(rect.bottom);
    out.WriteLong(rect.right);
  }
  out.WriteLong(kPlacementEndMarker);
}

void ReadWindowPlacement(IBinInStream& in, WindowPlacement& placement) noexcept {
  placement.readError = 0;
  placement.rect = RECT{};
  placement.valid = 0;
  if (in.GetStatus() != S_OK) return;
  if (ReadWord(in) != kPlacementVersion) return;
  const bool valid = ReadWord(in) != 0;
  RECT rect{};
  if (valid) {
    rect.top = ReadWord(in);
    rect.left = ReadWord(in);
    rect.bottom = ReadWord(in);
    rect.right = ReadWord(in);
  }
  const int32_t marker = ReadWord(in);
  if (in.GetStatus() != S_OK || marker != kPlacementEndMarker) placement.readError = 1;
  if (!valid) return;
  KeepWindowOnMonitor(rect);
  placement.rect = rect;
  placement.valid = 1;
}

void ApplyWindowPlacement(HWND window, WindowPlacement& placement) noexcept {
  RECT current{};
  if (!GetWindowRect(window, &current)) return;
  const LONG width = current.right - current.left;
  const LONG height = current.bottom - current.top;
  RECT target = placement.rect;
  if (placement.valid) KeepWindowOnMonitor(target);
  if (!placement.valid || target.right - target.left != width || target.bottom - target.top != height) {
    const RECT work = WorkAreaNearest(current);
    const LONG centreX = (work.left + work.right) / 2;
    const LONG centreY = (work.top + work.bottom) / 2;
    target = RECT{centreX - width / 2, centreY - height / 2, 0, 0};
    target.right = target.left + width;
    target.bottom = target.top + height;
    KeepWindowOnMonitor(target);
    placement.rect = target;
    placement.valid = 1;
  }
  SetWindowPos(window, nullptr, target.left, target.top, width, height, kPlaceFlags);
}

WindowPlacement CaptureWindowPlacement(HWND window) noexcept {
  WindowPlacement placement;
  if (GetWindowRect(window, &placement.rect)) placement.valid = 1;
  return placement;
}

}  // namespace QOR
