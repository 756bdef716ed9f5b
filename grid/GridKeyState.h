// The grid's reading of Shift and Ctrl: mouse handlers ask the asynchronous state of the left
// keys, the keyboard handler the message-time state. Tests install a source of their own.
#pragma once

#include <windows.h>

namespace TVF_Grid {

class GridKeyState {
 public:
  virtual ~GridKeyState() = default;
  virtual SHORT GetAsyncKeyState(int key) { return ::GetAsyncKeyState(key); }
  virtual SHORT GetKeyState(int key) { return ::GetKeyState(key); }

  // The source in force: the installed one, else the system's.
  static GridKeyState& Current() noexcept;
  // Installs source (null: the system's) and answers the one it replaces. Not owned.
  static GridKeyState* Install(GridKeyState* source) noexcept;

  // Modifier bits of a mouse action: 2 left Shift down, 4 left Ctrl down.
  static unsigned MouseModifiers();
  static bool ShiftDown() { return Current().GetKeyState(VK_SHIFT) < 0; }
};

}  // namespace TVF_Grid
