// CheckedTheme and the checked visual-styles calls.
#include "controls/CheckedTheme.h"

#include "base/XQOR.h"
#include "controls/ControlsStringIds.h"
#include "platform/owl/TModule.h"

using QORLinkingUtils::HTHEME;
using QORLinkingUtils::UxThemeDLL;

namespace {

[[noreturn]] void ThrowThemeFailure(UINT textId, const QOR::String& tail = QOR::String()) {
  QOR::String message(OWL::TModule::Default().LoadString(textId).c_str());
  message.Append(tail);
  throw XQOR(message, kThemeFailure);
}

void Check(HRESULT hr, UINT textId) {
  if (FAILED(hr)) ThrowThemeFailure(textId);
}

}  // namespace

CheckedTheme::~CheckedTheme() {
  if (mHandle) UxThemeDLL::CloseThemeData(mHandle);  // a failure cannot be reported here
}

HTHEME CheckedOpenThemeData(CheckedTheme& theme) {
  if (theme.mHandle) return theme.mHandle;
  theme.mHandle = UxThemeDLL::OpenThemeData(theme.mWindow, theme.mClassName.GetText());
  if (!theme.mHandle) ThrowThemeFailure(IDS_THEME_OPEN_FAILED, QOR::String(theme.mClassName).Append(L"."));
  return theme.mHandle;
}

void CheckedCloseThemeData(CheckedTheme& theme) {
  if (!theme.mHandle) return;
  HRESULT const hr = UxThemeDLL::CloseThemeData(theme.mHandle);
  theme.mHandle = nullptr;
  if (hr != S_OK) ThrowThemeFailure(IDS_THEME_CLOSE_FAILED);
}

void CheckedDrawThemeBackground(const ThemeCall& call) {
  HTHEME const theme = CheckedOpenThemeData(call.Theme);
  Check(UxThemeDLL::DrawThemeBackground(theme, call.Dc, call.Part, call.State, call.Rect),
        IDS_THEME_DRAW_BACKGROUND_FAILED);
}

SIZE CheckedGetThemePartSize(const ThemeCall& call, int sizeKind) {
  HTHEME const theme = CheckedOpenThemeData(call.Theme);
  SIZE size{};
  Check(UxThemeDLL::GetThemePartSize(theme, call.Dc, call.Part, call.State, nullptr, sizeKind, &size),
        IDS_THEME_PART_SIZE_FAILED);
  return size;
}

RECT CheckedGetThemeTextExtent(const ThemeCall& call, const RECT* bounds) {
  HTHEME const theme = CheckedOpenThemeData(call.Theme);
  RECT extent{};
  Check(UxThemeDLL::GetThemeTextExtent(theme, call.Dc, call.Part, call.State, call.Text, call.Flags, bounds,
                                       &extent),
        IDS_THEME_TEXT_EXTENT_FAILED);
  return extent;
}

void CheckedDrawThemeText(const ThemeCall& call) {
  HTHEME const theme = CheckedOpenThemeData(call.Theme);
  Check(UxThemeDLL::DrawThemeText(theme, call.Dc, call.Part, call.State, call.Text, call.Flags, call.Rect),
        IDS_THEME_DRAW_TEXT_FAILED);
}
