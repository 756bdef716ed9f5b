// The host's progress display of a long operation, and the wait cursor shown meanwhile.
#pragma once

#include "hostapi/HostProgress.h"
#include "hostclient/ComPtr.h"

#include <windows.h>

// A started progress object of the host (title and two lines of text), or null when the host
// has none or it does not start. Releasing it ends the display.
ComPtr<IHostProgress> CreateHostProgress(const wchar_t* title, const wchar_t* text, const wchar_t* detail);

// Shows the standard wait cursor while it lives; afterwards the previous cursor comes back and
// the mouse is put where it is, so that the shape refreshes at once.
class WaitCursor {
 public:
  WaitCursor() noexcept : mPrevious(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
  ~WaitCursor();

 private:
  HCURSOR mPrevious;
};
