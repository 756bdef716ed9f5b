// MGraph1::GraphBase: the root of the two-dimensional drawer: its owner window and its rectangle.
#pragma once

#include "platform/owl/TRect.h"

namespace OWL {
class TWindow;
}

namespace MGraph1 {

class GraphBase {
 public:
  GraphBase() = default;
  GraphBase(const GraphBase&) = delete;
  GraphBase& operator=(const GraphBase&) = delete;
  virtual ~GraphBase() = default;

  // Computes everything that depends on rectangle; the flag is for derived drawers.
  virtual void Layout(const OWL::TRect& rectangle, bool flag) = 0;
  // Called once before the first full drawing.
  virtual void OnFirstDraw() {}

  // The window the drawer lives in (not owned); null when standalone.
  OWL::TWindow* GetOwnerWindow() const noexcept { return mOwner; }
  void SetOwnerWindow(OWL::TWindow* owner) noexcept { mOwner = owner; }
  // Invalidates the owner's whole client area with erasing, when it has a window.
  void InvalidateOwner() const noexcept;
  const OWL::TRect& GetDrawerRect() const noexcept { return mRect; }
  void SetDrawerRect(const OWL::TRect& rect) noexcept { mRect = rect; }
  bool IsInitialised() const noexcept { return mInitialised; }
  void SetInitialised() noexcept { mInitialised = true; }

 private:
  bool mInitialised = false;
  OWL::TWindow* mOwner = nullptr;
  OWL::TRect mRect{0, 0, 100, 100};
};

}  // namespace MGraph1
