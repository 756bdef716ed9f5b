// TVF_Grid::SnapGadgetWindowBase: the grid's one-button bar under the vertical scroll bar that
// toggles "always show latest row when sampling"; its face is the module's PNG 1005.
#pragma once

#include "controls/UxBorderlessGadgetWindow.h"
#include "grid/GridSnapBar.h"

class UxSizableButtonGadget;

namespace TVF_Grid {

inline constexpr int kSnapFaceImage = 1005;

class SnapGadgetWindowBase : public QORControls::UxBorderlessGadgetWindow, public GridSnapBar {
 public:
  explicit SnapGadgetWindowBase(GridControl& grid);

  void SetupWindow() override;

  OWL::TWindow& Window() override { return *this; }
  int32_t Height() const override;
  void SetPressed(bool pressed) override;
  // Null before set-up.
  UxSizableButtonGadget* Button() const noexcept { return mButton; }

  // The factory the grid uses for its bar.
  static std::unique_ptr<GridSnapBar> Make(GridControl& grid);

 private:
  bool EvEraseBkgnd(HDC dc);
  void CeSnapToggle(OWL::TCommandEnabler& enabler) { enabler.Enable(true); }

  UxSizableButtonGadget* mButton = nullptr;  // owned by the gadget window once inserted

  DECLARE_RESPONSE_TABLE(SnapGadgetWindowBase);
};

}  // namespace TVF_Grid
