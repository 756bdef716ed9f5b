// The host's message loop: pre-translation through the window chain, the frames' keys, then
// translation and dispatch.
#include "host/view/HostMessageLoop.h"

#include "host/view/HostClientFrame.h"
#include "hostapi/MessagePreTranslation.h"

namespace host {

namespace {

bool gQuitCame = false;

UINT PreTranslateMessageId() noexcept {
  static const UINT id = RegisterWindowMessageW(kPreTranslateMessageName);
  return id;
}

// The message's window first, then each parent, as the windows' framework walks them.
bool PreTranslatedByWindows(MSG& msg) noexcept {
  const UINT id = PreTranslateMessageId();
  if (id == 0) return false;
  for (HWND window = msg.hwnd; window; window = GetParent(window)) {
    if (SendMessageW(window, id, 0, reinterpret_cast<LPARAM>(&msg)) == kMessagePreTranslated) return true;
    // A window may go while it handles the question; its parents are then out of reach.
    if (!IsWindow(window)) return true;
  }
  return false;
}

// One message from the queue; false for WM_QUIT, which is not dispatched.
bool Handle(MSG& msg, HWND dialog) noexcept {
  if (msg.message == WM_QUIT) {
    gQuitCame = true;
    return false;
  }
  if (PreTranslateHostMessage(msg)) return true;
  if (dialog && IsDialogMessageW(dialog, &msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

}  // namespace

bool PreTranslateHostMessage(MSG& msg) noexcept {
  if (msg.hwnd && PreTranslatedByWindows(msg)) return true;
  return HostClientFrame::TranslateKeys(msg);
}

void PumpHostMessages() noexcept {
  MSG msg;
  while (!gQuitCame && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    if (!Handle(msg, nullptr)) return;
}

bool RunHostLoop(const std::function<bool()>& done) {
  MSG msg;
  while (!gQuitCame && !done()) {
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      gQuitCame = true;  // WM_QUIT, or a queue that cannot be read any more
      return false;
    }
    Handle(msg, nullptr);
  }
  return !gQuitCame;
}

void RunModalDialogLoop(HWND dialog, HWND owner, const std::function<bool()>& ended) {
  const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  MSG msg;
  while (!gQuitCame && !ended() && IsWindow(dialog)) {
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      gQuitCame = true;
      break;
    }
    Handle(msg, dialog);
  }
  // The owner comes back before the dialog goes, so that it gets the activation.
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
}

}  // namespace host
