// CheckedTheme: theme data opened for a window and a theme class on first use, and the
// checked visual-styles calls that turn a failure into XQOR 0xA0048210 with a message naming
// the call.
#pragma once

#include "base/String.h"
#include "platform/uihelpers/UxThemeDLL.h"

#include <windows.h>

class CheckedTheme {
 public:
  // className: a theme class list ("TOOLTIP", "BUTTON"); nothing is opened yet.
  CheckedTheme(HWND window, const QOR::String& className) : mWindow(window), mClassName(className) {}
  CheckedTheme(const CheckedTheme&) = delete;
  CheckedTheme& operator=(const CheckedTheme&) = delete;
  // Closes a handle still open (never throws).
  ~CheckedTheme();

  HWND GetWindow() const noexcept { return mWindow; }
  const QOR::String& GetClassName() const noexcept { return mClassName; }
  QORLinkingUtils::HTHEME GetHandle() const noexcept { return mHandle; }

 private:
  friend QORLinkingUtils::HTHEME CheckedOpenThemeData(CheckedTheme& theme);
  friend void CheckedCloseThemeData(CheckedTheme& theme);

  HWND mWindow;
  QOR::String mClassName;
  QORLinkingUtils::HTHEME mHandle = nullptr;
};

inline constexpr HRESULT kThemeFailure = static_cast<HRESULT>(0xA0048210u);

// The handle, opened first when there is none; throws when it cannot be opened.
QORLinkingUtils::HTHEME CheckedOpenThemeData(CheckedTheme& theme);
// Nothing without a handle; the handle is cleared before a failed close is reported.
void CheckedCloseThemeData(CheckedTheme& theme);

// One checked drawing call: the theme (opened on demand), DC, part, state and rectangle;
// text calls add the text (all characters) and DrawText format flags.
struct ThemeCall {
  CheckedTheme& Theme;
  HDC Dc;
  int Part;
  int State;
  const RECT* Rect;
  const wchar_t* Text = nullptr;
  DWORD Flags = 0;
};

void CheckedDrawThemeBackground(const ThemeCall& call);
// sizeKind: a THEMESIZE value; the call's rectangle is not passed.
SIZE CheckedGetThemePartSize(const ThemeCall& call, int sizeKind);
// The extent of the call's text within bounds (may be null).
RECT CheckedGetThemeTextExtent(const ThemeCall& call, const RECT* bounds);
void CheckedDrawThemeText(const ThemeCall& call);
