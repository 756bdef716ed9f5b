// OWL::TCheckBox: check box styles.
#include "platform/owl/TCheckBox.h"

namespace OWL {

TCheckBox::TCheckBox(TWindow* parent, int id, const wchar_t* title, int x, int y, int w, int h,
                     TGroupBox* group, TModule* module)
    : TButton(parent, id, title, x, y, w, h, false, module), mGroup(group) {
  Attr.Style = (Attr.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_AUTOCHECKBOX;
}

TCheckBox::TCheckBox(TWindow* parent, int resourceId, TGroupBox* group, TModule* module)
    : TButton(parent, resourceId, module), mGroup(group) {}

}  // namespace OWL
