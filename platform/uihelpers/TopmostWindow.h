// QOR::TopmostWindow: the top-level windows of this process in z-order with their enabled
// state, collected at construction; the first one is the owner for a modal window.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

namespace OWL {
class TWindow;
}

namespace QOR {

class TopmostWindow {
 public:
  TopmostWindow();

  // (window, enabled) of every visible or hidden non-child window of the process, top first.
  const std::vector<std::pair<HWND, bool>>& Windows() const noexcept { return mWindows; }
  // The framework object of the top-most window kept; null when there is none or it has none.
  OWL::TWindow* GetParentWindow() const noexcept;

 private:
  static BOOL CALLBACK Collect(HWND window, LPARAM self) noexcept;

  std::vector<std::pair<HWND, bool>> mWindows;
};

}  // namespace QOR
