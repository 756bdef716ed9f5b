// OWL::TControl: a child control window, either created by the object (with position and
// size) or bound to a control of a dialog template by its id when the dialog is set up.
#pragma once

#include "platform/owl/TWindow.h"

namespace OWL {

class TControl : public TWindow {
 public:
  // A control created with its parent: style WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP.
  TControl(TWindow* parent, int id, const wchar_t* title, int x, int y, int w, int h,
           TModule* module = nullptr);
  // The control with resourceId in the parent dialog's template.
  TControl(TWindow* parent, int resourceId, TModule* module = nullptr);

  // Owner-drawn controls: the parent's WM_DRAWITEM and WM_MEASUREITEM land here. Nothing by
  // default.
  virtual void DrawItem(const DRAWITEMSTRUCT& item);
  virtual void MeasureItem(MEASUREITEMSTRUCT& item);
};

}  // namespace OWL
