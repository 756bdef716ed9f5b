// Shared inside platform/owl/ only: the hand-over of a window object to its first message.
#pragma once

namespace OWL {

class TWindow;

// The object whose window of our own class is being created; the window procedure binds it at
// the window's first message.
void SetCreatingWindow(TWindow* window) noexcept;

}  // namespace OWL
