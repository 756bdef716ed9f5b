// Message pre-translation: how the host's message loops let the windows of a module take a
// message before the host translates and dispatches it.
// Ownership: the MSG passed with the message is borrowed for the call.
#pragma once

#include <windows.h>

// The name of the registered window message (RegisterWindowMessageW) that the host sends, for
// each message it takes from its queue, to the message's window and then to each of its parents
// in turn, until one answers kMessagePreTranslated. wParam is 0, lParam the MSG. A window that
// takes the message (a key it turns into a command of its own, a dialog's navigation key) answers
// kMessagePreTranslated, and the host then neither translates nor dispatches it; any other answer
// (every window that does not know the message answers 0) passes it on.
inline constexpr wchar_t kPreTranslateMessageName[] = L"LumoPreTranslateMessage";
inline constexpr LRESULT kMessagePreTranslated = 1;
