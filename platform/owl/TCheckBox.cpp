// OWL::TCheckBox: check box styles and the group told of a click.
#include "platform/owl/TCheckBox.h"

#include "platform/owl/TGroupBox.h"

namespace OWL {

DEFINE_RESPONSE_TABLE1(TCheckBox, TButton)
  EV_NOTIFY_AT_CHILD(BN_CLICKED, BNClicked),
END_RESPONSE_TABLE;

TCheckBox::TCheckBox(TWindow* parent, int id, const wchar_t* title, int x, int y, int w, int h,
                     TGroupBox* group, TModule* module)
    : TButton(parent, id, title, x, y, w, h, false, module), mGroup(group) {
  Attr.Style = (Attr.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_AUTOCHECKBOX;
}

TCheckBox::TCheckBox(TWindow* parent, int resourceId, TGroupBox* group, TModule* module)
    : TButton(parent, resourceId, module), mGroup(group) {}

void TCheckBox::BNClicked() {
  if (mGroup) mGroup->SelectionChanged(Attr.Id);
}

}  // namespace OWL
