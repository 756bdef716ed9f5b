// The installed key-state source.
#include "grid/GridKeyState.h"

#include "grid/GridSelection.h"

namespace TVF_Grid {

static GridKeyState* gInstalled = nullptr;

GridKeyState& GridKeyState::Current() noexcept {
  static GridKeyState system;
  return gInstalled ? *gInstalled : system;
}

GridKeyState* GridKeyState::Install(GridKeyState* source) noexcept {
  GridKeyState* const previous = gInstalled;
  gInstalled = source;
  return previous;
}

unsigned GridKeyState::MouseModifiers() {
  GridKeyState& keys = Current();
  unsigned m = 0;
  if (keys.GetAsyncKeyState(VK_LSHIFT) < 0) m |= kModShift;
  if (keys.GetAsyncKeyState(VK_LCONTROL) < 0) m |= kModCtrl;
  return m;
}

}  // namespace TVF_Grid
