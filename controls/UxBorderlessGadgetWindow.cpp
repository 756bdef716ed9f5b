// QORControls::UxBorderlessGadgetWindow: its style and set-up flag.
#include "controls/UxBorderlessGadgetWindow.h"

namespace QORControls {

UxBorderlessGadgetWindow::UxBorderlessGadgetWindow(OWL::TWindow* parent, TTileDirection direction)
    : UxGadgetWindow(parent, direction) {
  Attr.Style = (Attr.Style & ~WS_BORDER) | WS_CHILD;
}

void UxBorderlessGadgetWindow::SetupWindow() {
  TGadgetWindow::SetupWindow();
  mSetUp = true;
}

}  // namespace QORControls
