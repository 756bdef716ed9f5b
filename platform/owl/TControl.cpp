// OWL::TControl: creation attributes of controls.
#include "platform/owl/TControl.h"

namespace OWL {

TControl::TControl(TWindow* parent, int id, const wchar_t* title, int x, int y, int w, int h,
                   TModule* module)
    : TWindow(parent, title, module) {
  Attr.Id = id;
  Attr.X = x;
  Attr.Y = y;
  Attr.W = w;
  Attr.H = h;
  Attr.Style = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP;
  SetFlag(wfAutoCreate | wfPredefinedClass);
}

TControl::TControl(TWindow* parent, int resourceId, TModule* module)
    : TWindow(parent, nullptr, module) {
  Attr.Id = resourceId;
  SetFlag(wfFromResource | wfPredefinedClass);
}

void TControl::DrawItem(const DRAWITEMSTRUCT&) {}
void TControl::MeasureItem(MEASUREITEMSTRUCT&) {}

}  // namespace OWL
