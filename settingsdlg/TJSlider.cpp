// TJSlider: thumb tracking reported to the notify target.
#include "settingsdlg/TJSlider.h"

namespace ZR::Dlg {

TJSlider::TJSlider(OWL::TWindow* parent, int resourceId, int thumbResId, OWL::TWindow* notifyTarget)
    : OWL::THSlider(parent, resourceId, thumbResId), mNotifyTarget(notifyTarget) {}

void TJSlider::SBThumbTrack(int thumbPos) {
  if (!mNotifyTarget) {
    OWL::THSlider::SBThumbTrack(thumbPos);
    return;
  }
  mTracked = thumbPos;
  const UINT id = static_cast<UINT>(GetId());
  NMHDR header{};
  header.hwndFrom = nullptr;
  header.idFrom = id;
  header.code = kTrackCode;
  mNotifyTarget->SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
}

}  // namespace ZR::Dlg
