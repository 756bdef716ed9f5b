// QOR::UxMenuGadget: a custom button gadget that drops a popup menu under itself and sends the
// chosen command to its owner.
#pragma once

#include "controls/UxCustomButtonGadget.h"

#include <memory>

namespace OWL {
class TMenu;
class TPopupMenu;
class TWindow;
}  // namespace OWL

namespace QOR {

class UxMenuGadget : public UxCustomButtonGadget {
 public:
  // The menu is copied; its first item's text, when it has one, becomes the gadget's text.
  UxMenuGadget(const OWL::TMenu& menu, OWL::TWindow& owner, Gdiplus::GpBitmap* image, int themeKind,
               TStyle style, TType type, bool enabled, TState state, bool sharedGlyph, unsigned numChars);
  ~UxMenuGadget() override;

  OWL::TWindow& GetOwner() const noexcept { return mOwner; }
  // The last answer of the popup menu: the chosen command, 0 for none.
  int GetMenuResult() const noexcept { return mMenuResult; }
  // On: the left button acts as a push button and the right button opens the menu.
  void SetPlainButton(bool plain) noexcept { mPlainButton = plain; }

  void LButtonDown(UINT modKeys, const OWL::TPoint& point) override;
  void LButtonUp(UINT modKeys, const OWL::TPoint& point) override;
  void RButtonDown(UINT modKeys, const OWL::TPoint& point) override;
  void RButtonUp(UINT modKeys, const OWL::TPoint& point) override;

 private:
  // Tracks the menu at the gadget's top-left (or, below, bottom-left) corner, the gadget's
  // bounds kept free, and posts the chosen command to the owner.
  void TrackMenu(bool below, UINT flags);
  // The click that closed the menu over this gadget must not open it again.
  void DropClosingClick();
  void CancelIfPressed(const OWL::TPoint& point);

  std::unique_ptr<OWL::TPopupMenu> mPopup;
  OWL::TWindow& mOwner;
  int mMenuResult = 0;
  bool mPlainButton = false;
};

}  // namespace QOR
