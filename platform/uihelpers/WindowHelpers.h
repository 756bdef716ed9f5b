// Small window and drawing helpers.
#pragma once

#include "platform/owl/TColor.h"
#include "platform/owl/TRect.h"

#include <windows.h>

#include <string>

namespace OWL {
class TDC;
}

namespace QOR {

// The window rectangle of the dialog's control id in the dialog's client coordinates; empty
// when there is no such control.
OWL::TRect GetDialogItemRect(HWND dialog, int id) noexcept;

// One-pixel edges inside rect: top and left in first, right and bottom in second, drawn as
// opaque empty text fills (no pen or brush needed; the DC is left as found).
void DrawFrameEdges(OWL::TDC& dc, const OWL::TRect& rect, const OWL::TColor& first,
                    const OWL::TColor& second);

// Text in the thread's ANSI code page as UTF-16; length -1 reads up to the NUL.
std::wstring NarrowToWide(const char* text, int length = -1);

// An owning slot for a window object: a different window replaces (and deletes) the held one.
template <typename W>
void ResetOwnedWindow(W*& slot, W* window) {
  if (slot == window) return;
  delete slot;
  slot = window;
}

}  // namespace QOR
