// The drag scale's own window over its area: painting itself, panning drags, auto scaling on a double click.
#include "host/framework/HostDragScale.h"

namespace host {

namespace {

constexpr wchar_t kWindowClass[] = L"LumoDragScale";

HINSTANCE ThisLibrary() noexcept {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisLibrary), &module);
  return module;
}

}  // namespace

bool HostDragScale::CreateWindowUnder(HWND parent) noexcept {
  static ATOM const atom = [] {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &HostDragScale::WindowProc;
    windowClass.hInstance = ThisLibrary();
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_SIZEALL));
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass);
  }();
  if (!atom || !parent) return false;
  mWindow = CreateWindowExW(0, kWindowClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                            nullptr, ThisLibrary(), this);
  return mWindow != nullptr;
}

LRESULT CALLBACK HostDragScale::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == WM_NCCREATE) {
    auto* const created = static_cast<HostDragScale*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    created->mWindow = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* const scale = reinterpret_cast<HostDragScale*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (msg == WM_NCDESTROY && scale) {
    scale->mWindow = nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  }
  if (!scale || msg == WM_NCDESTROY) return DefWindowProcW(window, msg, wParam, lParam);
  return scale->OnWindowMessage(msg, wParam, lParam);
}

// The window lies over the area given to the scale: its client origin is that area's corner.
LRESULT HostDragScale::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  int32_t const along = mAxis.IsHorizontal() ? static_cast<short>(LOWORD(lParam)) : static_cast<short>(HIWORD(lParam));
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC const dc = BeginPaint(mWindow, &paint);
      POINT old;
      SetViewportOrgEx(dc, -mWindowArea.left, -mWindowArea.top, &old);
      Paint(dc, VARIANT_TRUE, 0);
      SetViewportOrgEx(dc, old.x, old.y, nullptr);
      EndPaint(mWindow, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
      if (!mEnabled) return 0;
      SetCapture(mWindow);
      mDragging = true;
      mDragFrom = along;
      TellObservers([this](IDragScaleObserver& observer) { observer.OnBeginDrag(mAxisId); });
      return 0;
    case WM_MOUSEMOVE:
      if (!mDragging || along == mDragFrom) return 0;
      mAxis.Pan(along - mDragFrom);
      mDragFrom = along;
      ReportScaling();
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (!mDragging) return 0;
      mDragging = false;
      if (msg == WM_LBUTTONUP) ReleaseCapture();
      TellObservers([this](IDragScaleObserver& observer) { observer.OnEndDrag(mAxisId); });
      return 0;
    case WM_LBUTTONDBLCLK:
      if (mEnabled) AutoScale();
      return 0;
    default:
      return DefWindowProcW(mWindow, msg, wParam, lParam);
  }
}

}  // namespace host
