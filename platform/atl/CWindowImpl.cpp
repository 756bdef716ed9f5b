// ATL::CWindowImplBase: class registration, binding and the window procedure.
#include "platform/atl/CWindowImpl.h"

#include "platform/owl/BoundaryFailure.h"

namespace ATL {

static const wchar_t kObjectProperty[] = L"OndaraAtlWindow";
// The object whose window is being created, bound at the window's first message.
static CWindowImplBase* gCreating = nullptr;

static HINSTANCE CodeInstance() noexcept {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&CodeInstance), &module);
  return module;
}

CWindowImplBase::~CWindowImplBase() {
  if (!m_hWnd) return;
  RemovePropW(m_hWnd, kObjectProperty);
  ::DestroyWindow(m_hWnd);
}

void CWindowImplBase::OnFinalMessage(HWND) {}

HWND CWindowImplBase::CreateOfClass(const wchar_t* className, UINT classStyle, HWND parent,
                                    const RECT* rect, const wchar_t* name, DWORD style, DWORD exStyle) {
  HINSTANCE const instance = CodeInstance();
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExW(instance, className, &wc)) {
    wc.style = classStyle;
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc)) return nullptr;
  }
  RECT const none{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
  RECT const r = rect ? *rect : none;
  bool const sized = rect != nullptr;
  gCreating = this;
  HWND const hWnd = CreateWindowExW(exStyle, className, name, style, r.left, r.top,
                                    sized ? r.right - r.left : CW_USEDEFAULT,
                                    sized ? r.bottom - r.top : CW_USEDEFAULT, parent, nullptr,
                                    instance, nullptr);
  gCreating = nullptr;
  return hWnd;
}

LRESULT CALLBACK CWindowImplBase::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  auto* self = static_cast<CWindowImplBase*>(GetPropW(hWnd, kObjectProperty));
  if (!self && gCreating) {
    self = gCreating;
    gCreating = nullptr;
    self->m_hWnd = hWnd;
    SetPropW(hWnd, kObjectProperty, self);
  }
  if (!self) return DefWindowProcW(hWnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    LRESULT const result = DefWindowProcW(hWnd, msg, wParam, lParam);
    RemovePropW(hWnd, kObjectProperty);
    self->m_hWnd = nullptr;
    try {
      self->OnFinalMessage(hWnd);
    } catch (...) {
      OWL::ReportBoundaryFailure(nullptr);
    }
    return result;
  }
  LRESULT result = 0;
  try {
    if (self->ProcessWindowMessage(hWnd, msg, wParam, lParam, result)) return result;
  } catch (...) {
    OWL::ReportBoundaryFailure(GetAncestor(hWnd, GA_ROOT));
  }
  return DefWindowProcW(hWnd, msg, wParam, lParam);
}

}  // namespace ATL
