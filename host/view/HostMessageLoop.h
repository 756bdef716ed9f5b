// The host's message loop: each message taken from the queue goes first to the pre-translation
// of its window and that window's parents (so the module's windows get their keys), then to the
// view frames' keys (Ctrl+C, Ctrl+P), and only then is translated and dispatched. Every loop the
// host runs, the main one, the ones that wait for windows to paint and its modal dialogs, handles
// messages this way.
#pragma once

#include <windows.h>

#include <functional>

namespace host {

// The pre-translation chain, then the frames' keys; true when one of them took the message.
bool PreTranslateHostMessage(MSG& msg) noexcept;

// Handles every message waiting for this thread, so that the windows have painted. Stops at
// WM_QUIT, which is kept for the loop that ends on it.
void PumpHostMessages() noexcept;

// Runs the host's loop until done() answers true (asked before each wait) or WM_QUIT comes.
// True when done() ended it.
bool RunHostLoop(const std::function<bool()>& done);

// Runs the loop for a modeless dialog shown as a modal one: its owner (when given) is disabled
// meanwhile, and the dialog's own navigation keys work after the pre-translation. Ends when
// ended() answers true or WM_QUIT comes; the dialog is left to the caller.
void RunModalDialogLoop(HWND dialog, HWND owner, const std::function<bool()>& ended);

}  // namespace host
