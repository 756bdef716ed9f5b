// The module's message-box hook.
#include "base/ModalMessageBox.h"

namespace QOR {

static int SystemMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
  return ::MessageBoxW(owner, text, caption, type);
}

static MessageBoxFunction gMessageBox = &SystemMessageBox;

int ShowModalMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) noexcept {
  return gMessageBox(owner, text, caption, type);
}

MessageBoxFunction SetMessageBoxHook(MessageBoxFunction function) noexcept {
  const MessageBoxFunction previous = gMessageBox;
  gMessageBox = function ? function : &SystemMessageBox;
  return previous;
}

}  // namespace QOR
