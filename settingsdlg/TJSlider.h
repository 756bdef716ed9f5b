// TJSlider: a horizontal slider that tells a window of every thumb-track step while the thumb
// is dragged (WM_NOTIFY code kTrackCode), so that the window can follow the drag and wait for
// the release before it acts.
#pragma once

#include "platform/owl/THSlider.h"

namespace ZR::Dlg {

class TJSlider : public OWL::THSlider {
 public:
  static constexpr UINT kTrackCode = 0x300;

  // The template control resourceId; notifyTarget (not owned, may be null) hears the drag.
  TJSlider(OWL::TWindow* parent, int resourceId, int thumbResId, OWL::TWindow* notifyTarget);

  // The last thumb-track position (0 before any drag).
  int TrackedPosition() const noexcept { return mTracked; }

  // With a notify target: keeps the position and sends the target WM_NOTIFY (wParam the
  // control id; header of window 0, the control id and kTrackCode) before returning.
  void SBThumbTrack(int thumbPos) override;

 private:
  OWL::TWindow* mNotifyTarget;
  int mTracked = 0;
};

}  // namespace ZR::Dlg
