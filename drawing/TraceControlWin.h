// ScrivoDraw::TraceControlWin: the trace bar that stacks or overlays the traces of a preview
// and can show the source trace alone.
#pragma once

#include "drawing/FixedGadgetWindow.h"

namespace OWL {
class TButtonGadget;
}

namespace ScrivoDraw {

class TraceControlWin final : public PreviewBarWindow {
 public:
  // mask: bits 1, 2 and 3 enable the stack, overlay and source-only buttons.
  TraceControlWin(OWL::TWindow* parent, PreviewControlOwner& owner, uint32_t mask);

  void SetupWindow() override;
  std::wstring GetHintText(int id) override;

  void EnableButtons(uint32_t mask) override;
  void Reset() override {}

  uint32_t ButtonMask() const noexcept { return mButtonMask; }
  // 1 after stacking, 0 after overlaying (and before either).
  int32_t LastScale() const noexcept { return mLastScale; }
  OWL::TButtonGadget* Button(int id) const noexcept;

 private:
  bool SourceOnlyDown() const noexcept;
  bool ShouldEnable(int id) const noexcept;
  void ApplyMask();
  void CmStack();
  void CmOverlay();
  void CmSourceOnly();
  void CeButton(OWL::TCommandEnabler& enabler);

  PreviewControlOwner& mOwner;
  uint32_t mButtonMask;
  int32_t mLastScale = 0;

  DECLARE_RESPONSE_TABLE(TraceControlWin);
};

}  // namespace ScrivoDraw
