// The host's view frame: its window classes, the client window that keeps its view window
// filling it, and the detach notices.
#include "host/view/HostClientFrame.h"

namespace host {

namespace {

constexpr wchar_t kFrameClass[] = L"OndaraHostViewFrame";
constexpr wchar_t kClientClass[] = L"OndaraHostViewClient";

// The frame keeps its client filling it, and the client the view's window.
LRESULT CALLBACK FillWithChildProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == WM_SIZE) {
    if (HWND child = GetWindow(window, GW_CHILD))
      MoveWindow(child, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

bool RegisterClasses() noexcept {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpfnWndProc = &FillWithChildProc;
    wc.lpszClassName = kFrameClass;
    if (!RegisterClassExW(&wc)) return false;
    wc.lpszClassName = kClientClass;
    return RegisterClassExW(&wc) != 0;
  }();
  return registered;
}

}  // namespace

HostPtr<HostClientFrame> HostClientFrame::Create(const std::wstring& title) {
  HostPtr<HostClientFrame> frame;
  if (!RegisterClasses()) return frame;
  frame.Attach(new HostClientFrame());
  frame->mFrame = CreateWindowExW(0, kFrameClass, title.c_str(),
                                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 40, 40, 640,
                                  480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!frame->mFrame) return {};
  RECT area{};
  GetClientRect(frame->mFrame, &area);
  frame->mClient = CreateWindowExW(WS_EX_CLIENTEDGE, kClientClass, L"",
                                   WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, area.right,
                                   area.bottom, frame->mFrame, nullptr, GetModuleHandleW(nullptr),
                                   nullptr);
  if (!frame->mClient) return {};
  return frame;
}

void* HostClientFrame::FindInterface(REFIID iid) {
  if (iid == IID_IUnknown || iid == IID_IHostClientWindow) return static_cast<IHostClientWindow*>(this);
  return nullptr;
}

void HostClientFrame::Close() noexcept {
  if (mFrame) DestroyWindow(mFrame);
  mFrame = nullptr;
  mClient = nullptr;
}

HRESULT STDMETHODCALLTYPE HostClientFrame::GetWindowHandle(HWND* window) noexcept {
  if (!window) return E_POINTER;
  *window = mClient;
  return mClient ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE HostClientFrame::OnViewDetaching() noexcept {
  ++mDetachNotices;
  if (mRefusals <= 0) return S_OK;
  --mRefusals;
  return S_FALSE;
}

}  // namespace host
