// MGraph1::ClipGuard: narrows a device context's clip region for as long as it lives.
#pragma once

#include <cstdint>

namespace OWL {
class TDC;
}

namespace MGraph1 {

// restoreBySavedState: the first Intersect saves the DC's state and Release restores it (with
// everything else changed since); otherwise Release only removes the clip region.
class ClipGuard {
 public:
  ClipGuard(OWL::TDC& dc, bool restoreBySavedState) noexcept : mDc(dc), mRestoreBySavedState(restoreBySavedState) {}
  ClipGuard(const ClipGuard&) = delete;
  ClipGuard& operator=(const ClipGuard&) = delete;
  ~ClipGuard() { Release(); }

  void Intersect(int32_t left, int32_t top, int32_t right, int32_t bottom) noexcept;
  void Release() noexcept;

 private:
  OWL::TDC& mDc;
  bool mRestoreBySavedState;
  bool mClipped = false;
};

}  // namespace MGraph1
