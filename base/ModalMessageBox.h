// The module's message-box hook: every message box of the module ends here, so that a test can
// record the boxes instead of waiting for a user.
#pragma once

#include <windows.h>

namespace QOR {

using MessageBoxFunction = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

// Shows a message box through the installed function (MessageBoxW unless one is installed) and
// answers the button pressed.
int ShowModalMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) noexcept;
// Installs function (null: MessageBoxW again) and answers the one it replaces.
MessageBoxFunction SetMessageBoxHook(MessageBoxFunction function) noexcept;

}  // namespace QOR
