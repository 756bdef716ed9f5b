// Shared inside platform/owl/ only: the hand-over of a window object to its first message.
#pragma once

namespace OWL {

class TWindow;

// The object whose window of our own class is being created; the window procedure binds it at
// the window's first message.
void SetCreatingWindow(TWindow* window) noexcept;

}  // namespace OWL

namespace OWL {

// Registers the common control classes (tabs, up-downs, trackbars) once per process, before
// a control or a dialog template names them.
void InitCommonControlsOnce() noexcept;

}  // namespace OWL
