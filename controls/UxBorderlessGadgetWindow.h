// QORControls::UxBorderlessGadgetWindow: a Ux gadget window as a border-less child.
#pragma once

#include "controls/UxGadgetWindow.h"

namespace QORControls {

class UxBorderlessGadgetWindow : public UxGadgetWindow {
 public:
  UxBorderlessGadgetWindow(OWL::TWindow* parent, TTileDirection direction);

  void SetupWindow() override;
  bool IsSetUp() const noexcept { return mSetUp; }

 private:
  bool mSetUp = false;
};

}  // namespace QORControls
