// QORLinkingUtils::UxThemeDLL: the visual-styles library reached at run time. Each function is
// bound by name on its first call; when the library or the function is missing the call
// reports failure (null theme, E_NOTIMPL, false) and callers draw without themes.
#pragma once

#include <windows.h>

namespace QORLinkingUtils {

using HTHEME = HANDLE;

class UxThemeDLL {
 public:
  // True when the library could be loaded.
  static bool IsLoaded() noexcept;
  static HTHEME OpenThemeData(HWND window, const wchar_t* classList) noexcept;
  static HRESULT CloseThemeData(HTHEME theme) noexcept;
  // No clip rectangle.
  static HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect) noexcept;
  // All characters (-1), no second flags.
  static HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, const wchar_t* text,
                               DWORD flags, const RECT* rect) noexcept;
  // sizeKind: a THEMESIZE value.
  static HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                                  int sizeKind, SIZE* size) noexcept;
  static HRESULT GetThemeTextExtent(HTHEME theme, HDC dc, int part, int state, const wchar_t* text,
                                    DWORD flags, const RECT* bounds, RECT* extent) noexcept;
  static HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state,
                                          const RECT* rect, HRGN* region) noexcept;
  static bool IsThemeActive() noexcept;
  static bool IsAppThemed() noexcept;
  // With ETDT_ENABLETAB (6); nothing when the library is missing.
  static void EnableThemeDialogTexture(HWND window) noexcept;
  // Nothing when the library is missing.
  static HRESULT DrawThemeParentBackground(HWND child, HDC dc, const RECT* rect) noexcept;

  // Unloads and binds to library name from now on (null: "uxtheme.dll" again). For tests of
  // the missing-library paths.
  static void Reset(const wchar_t* name) noexcept;
};

}  // namespace QORLinkingUtils
