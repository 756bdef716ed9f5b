// The snap bar: one two-state button with a PNG face.
#include "grid/SnapGadgetWindowBase.h"

#include "controls/UxSizableButtonGadget.h"
#include "grid/GridControl.h"
#include "platform/owl/TCommandEnabler.h"
#include "platform/uihelpers/UxThemeDLL.h"

namespace TVF_Grid {

static constexpr uint32_t kPreviewButtonFlag = 8;

DEFINE_RESPONSE_TABLE1(SnapGadgetWindowBase, QORControls::UxBorderlessGadgetWindow)
  EV_WM_ERASEBKGND,
  EV_COMMAND_ENABLE(kSnapToggleCommand, CeSnapToggle),
END_RESPONSE_TABLE;

// The bar's font is the gadget-window font, which the gadget window takes when given none.
SnapGadgetWindowBase::SnapGadgetWindowBase(GridControl& grid)
    : UxBorderlessGadgetWindow(&grid, Horizontal) {}

std::unique_ptr<GridSnapBar> SnapGadgetWindowBase::Make(GridControl& grid) {
  return std::make_unique<SnapGadgetWindowBase>(grid);
}

void SnapGadgetWindowBase::SetupWindow() {
  auto button = std::make_unique<UxSizableButtonGadget>(static_cast<int>(kSnapToggleCommand),
                                                         OWL::TResId(kSnapFaceImage),
                                                         OWL::TButtonGadget::NonExclusive, OWL::TButtonGadget::Up);
  // The gadget builds its face from PNG 1005 of the module (LoadPngBitmap); a PNG that cannot be
  // loaded leaves the button without one. Room for 4 characters although it shows no text;
  // flag 8 marks the preview bars' buttons, which this one is not.
  button->SetNumChars(4);
  button->SetFlags(0, kPreviewButtonFlag);
  button->SetBorders(OWL::TGadget::TBorders(3, 3, 3, 3));
  SetShrinkWrap(true, true);
  SetMargins(OWL::TMargins(1, 1, 3, 4));
  mButton = button.get();
  Insert(*button.release(), After);
  UxBorderlessGadgetWindow::SetupWindow();
}

int32_t SnapGadgetWindowBase::Height() const {
  OWL::TSize size;
  const_cast<SnapGadgetWindowBase*>(this)->GetDesiredSize(size);
  return size.cy;
}

void SnapGadgetWindowBase::SetPressed(bool pressed) {
  if (mButton) mButton->SetButtonState(pressed ? OWL::TButtonGadget::Down : OWL::TButtonGadget::Up);
}

bool SnapGadgetWindowBase::EvEraseBkgnd(HDC dc) {
  QORLinkingUtils::UxThemeDLL::DrawThemeParentBackground(GetHandle(), dc, nullptr);
  return true;
}

}  // namespace TVF_Grid
