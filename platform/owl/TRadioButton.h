// OWL::TRadioButton: an automatic radio button; checking one unchecks its group.
#pragma once

#include "platform/owl/TCheckBox.h"

namespace OWL {

class TRadioButton : public TCheckBox {
 public:
  TRadioButton(TWindow* parent, int id, const wchar_t* title, int x, int y, int w, int h,
               TGroupBox* group = nullptr, TModule* module = nullptr)
      : TCheckBox(parent, id, title, x, y, w, h, group, module) {
    Attr.Style = (Attr.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_AUTORADIOBUTTON;
  }
  TRadioButton(TWindow* parent, int resourceId, TGroupBox* group = nullptr, TModule* module = nullptr)
      : TCheckBox(parent, resourceId, group, module) {}
};

}  // namespace OWL
