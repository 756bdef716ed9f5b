// OWL::TButton: a push button; its click reaches the parent as WM_COMMAND with its id.
#pragma once

#include "platform/owl/TControl.h"

namespace OWL {

class TButton : public TControl {
 public:
  TButton(TWindow* parent, int id, const wchar_t* text, int x, int y, int w, int h,
          bool isDefault = false, TModule* module = nullptr);
  TButton(TWindow* parent, int resourceId, TModule* module = nullptr);

  // Presses the button as the user would (the parent receives BN_CLICKED).
  void Click() noexcept { SendMessage(BM_CLICK); }
  const wchar_t* GetClassName() override { return L"BUTTON"; }
};

}  // namespace OWL
