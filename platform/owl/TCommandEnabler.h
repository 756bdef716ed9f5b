// OWL::TCommandEnabler: the question "is command id enabled, checked, what is its text?" sent
// to a window with HandleMessage(WM_COMMAND_ENABLE, 0, &enabler); handlers answer through it.
#pragma once

#include <windows.h>

namespace OWL {

class TCommandEnabler {
 public:
  enum TCheckState { Unchecked = 0, Checked = 1, Indeterminate = 2 };

  TCommandEnabler(UINT id, HWND receiver = nullptr) noexcept : mId(id), mReceiver(receiver) {}
  virtual ~TCommandEnabler() = default;

  UINT GetId() const noexcept { return mId; }
  // Set once any handler answered.
  bool GetHandled() const noexcept { return mHandled; }

  virtual void Enable(bool enable = true) noexcept {
    mEnabled = enable;
    mHandled = true;
  }
  virtual void SetText(const wchar_t* text) noexcept { (void)text; }
  virtual void SetCheck(int state) noexcept { mCheck = state; }

  bool IsEnabled() const noexcept { return mEnabled; }
  int GetCheck() const noexcept { return mCheck; }

 private:
  UINT mId;
  HWND mReceiver;
  bool mHandled = false;
  bool mEnabled = false;
  int mCheck = Unchecked;
};

}  // namespace OWL
