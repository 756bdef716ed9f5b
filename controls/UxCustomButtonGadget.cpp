// UxCustomButtonGadget: its themed background.
#include "controls/UxCustomButtonGadget.h"

#include "platform/owl/TDC.h"
#include "platform/owl/TGadgetWindow.h"

void UxCustomButtonGadget::PaintThemedBackground(OWL::TDC& dc, const OWL::TRect& rect) {
  if (!GetGadgetWindow()) return;
  UpdateDisabledLook();
  int state = 1;
  if (GetLookBits() & kHot) state = 2;
  if (IsDownOrPressed()) state = 3;
  if (GetLookBits() & kDisabled) state = 4;
  QORLinkingUtils::UxThemeDLL::DrawThemeBackground(GetTheme(), dc, 1, state, &rect);
  PaintPressedOverlay(dc, rect);
}
