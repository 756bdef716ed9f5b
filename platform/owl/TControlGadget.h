// OWL::TControlGadget: a gadget holding a child window (a button, a combo box) that the
// gadget window places in the gadget's bounds.
#pragma once

#include "platform/owl/TGadget.h"

namespace OWL {

class TWindow;

class TControlGadget : public TGadget {
 public:
  // The control is owned by the gadget window (its parent from insertion on).
  explicit TControlGadget(TWindow& control, TBorderStyle borderStyle = None);

  // The control's window size with the borders and margins.
  void GetDesiredSize(TSize& size) override;
  void SetBounds(const TRect& bounds) override;
  // The control paints itself.
  void Paint(TDC& dc) override;
  void Inserted() override;
  void Created() override;
  void Removed() override;

 private:
  TWindow& mControl;
};

}  // namespace OWL
