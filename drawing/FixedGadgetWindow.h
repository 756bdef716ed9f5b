// FixedGadgetWindow: a border-less, shrink-wrapped gadget window without margins, the base of
// the preview and trace bars; and the tooltip rule all the pane's bars share.
#pragma once

#include "drawing/PaneControls.h"
#include "platform/owl/TGadgetWindow.h"

namespace ScrivoDraw {

// A press hides the bar's tooltip until the button is released.
void ActivateBarTooltip(OWL::TGadgetWindow& bar, bool active) noexcept;

class FixedGadgetWindow : public OWL::TGadgetWindow {
 public:
  explicit FixedGadgetWindow(OWL::TWindow* parent);

  bool IsSetUp() const noexcept { return mSetUp; }
  // The size the gadgets want.
  SIZE DesiredSize();

 protected:
  void EvLButtonDown(UINT modKeys, const OWL::TPoint& point);
  void EvLButtonUp(UINT modKeys, const OWL::TPoint& point);
  void MarkSetUp() noexcept { mSetUp = true; }

 private:
  bool mSetUp = false;

  DECLARE_RESPONSE_TABLE(FixedGadgetWindow);
};

// A preview bar: a fixed gadget window that the pane moves, enables and measures.
class PreviewBarWindow : public FixedGadgetWindow, public PreviewControl {
 public:
  using FixedGadgetWindow::FixedGadgetWindow;

  void MoveTo(const RECT& rect) override;
  bool IsEnabled() const override;
  void Enable(bool enable) override;
  SIZE GetSize() override { return DesiredSize(); }
};

}  // namespace ScrivoDraw
