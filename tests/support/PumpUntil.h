// PumpUntil: waits for what a test sent through the system's input (SendInput) to take effect.
#pragma once

#include <windows.h>

namespace testsupport {

// Pumps the thread's messages with pump until done() holds, between pumps waiting only until
// another message arrives; false when it still does not hold after timeoutMs (a failed test).
template <class Pump, class Done>
bool PumpUntil(Pump&& pump, Done&& done, DWORD timeoutMs = 10000) {
  const DWORD start = GetTickCount();
  for (;;) {
    pump();
    if (done()) return true;
    const DWORD spent = GetTickCount() - start;
    if (spent >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - spent, QS_ALLINPUT);
  }
}

// The keys of one SendInput call that ends by releasing modifier have all reached the thread:
// key's toggle bit (which turns at each press) differs from toggledBefore and modifier is up.
inline bool KeysArrived(int key, SHORT toggledBefore, int modifier) {
  return (GetKeyState(key) & 1) != toggledBefore && !(GetKeyState(modifier) & 0x8000);
}

}  // namespace testsupport
