// The OWL window of a host view or frame, for the module's dialogs and messages to sit over.
#pragma once

#include <unknwn.h>

#include <memory>

namespace OWL {
class TWindow;
}

// The window that hostView reports (its host view-window interface, slot 10): the OWL window
// that already wraps it, or a new alias on it kept in alias (a previous alias there is
// deleted). Null when hostView is null, reports no window or cannot be wrapped.
OWL::TWindow* WindowFromHostView(IUnknown* hostView, std::unique_ptr<OWL::TWindow>& alias);
