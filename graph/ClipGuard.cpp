// The clip guard's narrowing and restoring.
#include "graph/ClipGuard.h"

#include "platform/owl/TDC.h"
#include "platform/owl/TRect.h"

namespace MGraph1 {

void ClipGuard::Intersect(int32_t left, int32_t top, int32_t right, int32_t bottom) noexcept {
  if (!mClipped && mRestoreBySavedState) mDc.SaveDC();
  mClipped = true;
  mDc.IntersectClipRect(OWL::TRect(left, top, right, bottom));
}

void ClipGuard::Release() noexcept {
  if (!mClipped) return;
  mClipped = false;
  if (mRestoreBySavedState) {
    mDc.RestoreDC(-1);
    return;
  }
  mDc.SelectClipRgn(nullptr);
}

}  // namespace MGraph1
