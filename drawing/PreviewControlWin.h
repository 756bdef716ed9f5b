// PreviewControlWin: the preview bar that switches a preview between the recorded data,
// sampling now and a paused picture; its buttons form one exclusive group.
#pragma once

#include "drawing/FixedGadgetWindow.h"

namespace OWL {
class TButtonGadget;
}

namespace ScrivoDraw {

// Flags bit 30: no recorded-data button; the sampling button starts pressed.
inline constexpr uint32_t kPreviewNoRecordedButton = 0x40000000u;

class PreviewControlWin final : public PreviewBarWindow {
 public:
  PreviewControlWin(OWL::TWindow* parent, PreviewControlOwner& owner, uint32_t flags);

  void SetupWindow() override;
  std::wstring GetHintText(int id) override;

  void EnableButtons(uint32_t) override {}
  // Presses the recorded-data button and runs its command.
  void Reset() override;

  OWL::TButtonGadget* Button(int id) const noexcept;

 private:
  void CmRecorded();
  void CmSample();
  void CmPause();
  void CeRecorded(OWL::TCommandEnabler& enabler) { enabler.Enable(true); }
  void CeSample(OWL::TCommandEnabler& enabler);
  void CePause(OWL::TCommandEnabler& enabler);

  PreviewControlOwner& mOwner;

  DECLARE_RESPONSE_TABLE(PreviewControlWin);
};

}  // namespace ScrivoDraw
