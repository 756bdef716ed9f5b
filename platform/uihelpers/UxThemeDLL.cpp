// QORLinkingUtils::UxThemeDLL: the run-time bound theme functions.
#include "platform/uihelpers/UxThemeDLL.h"

#include "platform/owl/TModule.h"

#include <memory>
#include <string>

namespace QORLinkingUtils {

namespace {

enum Function {
  kOpen, kClose, kBackground, kText, kPartSize, kTextExtent, kRegion, kActive, kAppThemed,
  kDialogTexture, kParentBackground, kFunctionCount,
};

const char* const kNames[kFunctionCount] = {
    "OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText",
    "GetThemePartSize", "GetThemeTextExtent", "GetThemeBackgroundRegion", "IsThemeActive",
    "IsAppThemed", "EnableThemeDialogTexture", "DrawThemeParentBackground",
};

// The library, loaded on first use and freed at process exit, and each entry once looked up.
struct Library {
  std::wstring name = L"uxtheme.dll";
  std::unique_ptr<OWL::TModule> module;
  FARPROC entries[kFunctionCount] = {};
  bool looked[kFunctionCount] = {};
};

Library& TheLibrary() noexcept {
  static Library library;
  return library;
}

template <typename F>
F Entry(Function f) noexcept {
  Library& lib = TheLibrary();
  if (!lib.looked[f]) {
    lib.looked[f] = true;
    if (!lib.module) lib.module.reset(new (std::nothrow) OWL::TModule(lib.name.c_str(), nullptr, true));
    if (lib.module) lib.entries[f] = lib.module->GetProcAddress(kNames[f]);
  }
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(lib.entries[f]));
}

}  // namespace

bool UxThemeDLL::IsLoaded() noexcept {
  Entry<FARPROC>(kActive);
  Library& lib = TheLibrary();
  return lib.module && lib.module->IsLoaded();
}

HTHEME UxThemeDLL::OpenThemeData(HWND window, const wchar_t* classList) noexcept {
  auto f = Entry<HTHEME(WINAPI*)(HWND, LPCWSTR)>(kOpen);
  return f ? f(window, classList) : nullptr;
}

HRESULT UxThemeDLL::CloseThemeData(HTHEME theme) noexcept {
  auto f = Entry<HRESULT(WINAPI*)(HTHEME)>(kClose);
  return f ? f(theme) : E_NOTIMPL;
}

HRESULT UxThemeDLL::DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect) noexcept {
  auto f = Entry<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*)>(kBackground);
  return f ? f(theme, dc, part, state, rect, nullptr) : E_NOTIMPL;
}

HRESULT UxThemeDLL::DrawThemeText(HTHEME theme, HDC dc, int part, int state, const wchar_t* text,
                                  DWORD flags, const RECT* rect) noexcept {
  auto f = Entry<HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*)>(kText);
  return f ? f(theme, dc, part, state, text, -1, flags, 0, rect) : E_NOTIMPL;
}

HRESULT UxThemeDLL::GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                                     int sizeKind, SIZE* size) noexcept {
  auto f = Entry<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, int, SIZE*)>(kPartSize);
  return f ? f(theme, dc, part, state, rect, sizeKind, size) : E_NOTIMPL;
}

HRESULT UxThemeDLL::GetThemeTextExtent(HTHEME theme, HDC dc, int part, int state, const wchar_t* text,
                                       DWORD flags, const RECT* bounds, RECT* extent) noexcept {
  auto f = Entry<HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, const RECT*, RECT*)>(kTextExtent);
  return f ? f(theme, dc, part, state, text, -1, flags, bounds, extent) : E_NOTIMPL;
}

HRESULT UxThemeDLL::GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state,
                                             const RECT* rect, HRGN* region) noexcept {
  auto f = Entry<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, HRGN*)>(kRegion);
  return f ? f(theme, dc, part, state, rect, region) : E_NOTIMPL;
}

bool UxThemeDLL::IsThemeActive() noexcept {
  auto f = Entry<BOOL(WINAPI*)()>(kActive);
  return f && (f() & 0xFF) != 0;
}

bool UxThemeDLL::IsAppThemed() noexcept {
  auto f = Entry<BOOL(WINAPI*)()>(kAppThemed);
  return f && (f() & 0xFF) != 0;
}

void UxThemeDLL::EnableThemeDialogTexture(HWND window) noexcept {
  constexpr DWORD kEnableTab = 6;  // ETDT_ENABLETAB
  auto f = Entry<HRESULT(WINAPI*)(HWND, DWORD)>(kDialogTexture);
  if (f) f(window, kEnableTab);
}

HRESULT UxThemeDLL::DrawThemeParentBackground(HWND child, HDC dc, const RECT* rect) noexcept {
  auto f = Entry<HRESULT(WINAPI*)(HWND, HDC, const RECT*)>(kParentBackground);
  return f ? f(child, dc, rect) : E_NOTIMPL;
}

void UxThemeDLL::Reset(const wchar_t* name) noexcept {
  Library& lib = TheLibrary();
  lib.module.reset();
  for (int i = 0; i < kFunctionCount; ++i) {
    lib.entries[i] = nullptr;
    lib.looked[i] = false;
  }
  lib.name = name ? name : L"uxtheme.dll";
}

}  // namespace QORLinkingUtils
