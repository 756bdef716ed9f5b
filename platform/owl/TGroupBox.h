// OWL::TGroupBox: the frame and title around a group of controls.
#pragma once

#include "platform/owl/TControl.h"

namespace OWL {

class TGroupBox : public TControl {
 public:
  TGroupBox(TWindow* parent, int id, const wchar_t* text, int x, int y, int w, int h,
            TModule* module = nullptr)
      : TControl(parent, id, text, x, y, w, h, module) {
    Attr.Style = (Attr.Style & ~static_cast<DWORD>(WS_TABSTOP)) | BS_GROUPBOX;
  }
  TGroupBox(TWindow* parent, int resourceId, TModule* module = nullptr)
      : TControl(parent, resourceId, module) {}

  const wchar_t* GetClassName() override { return L"BUTTON"; }

  // Tells the parent that the control controlId of the group was chosen: WM_COMMAND with the
  // group's id and controlId as the notification code, from the group's window.
  void SelectionChanged(int controlId) {
    if (HWND const parent = GetParentH())
      ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetId(), controlId), reinterpret_cast<LPARAM>(GetHandle()));
  }
};

}  // namespace OWL
