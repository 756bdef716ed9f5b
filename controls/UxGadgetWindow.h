// QORControls::UxGadgetWindow: the gadget window of the module's tool bars. It keeps a
// visual-style theme and tells the button gadget under the cursor when the cursor enters and
// leaves, so hot tracking never sticks.
#pragma once

#include "platform/owl/TGadgetWindow.h"
#include "platform/uihelpers/UxThemeDLL.h"

namespace QORControls {

class UxGadgetWindow : public OWL::TGadgetWindow {
 public:
  UxGadgetWindow(OWL::TWindow* parent, TTileDirection direction);
  // Closes the theme.
  ~UxGadgetWindow() override;

  QORLinkingUtils::HTHEME GetTheme() const noexcept { return mTheme; }
  bool IsTrackingLeave() const noexcept { return mTrackingLeave; }
  const wchar_t* GetClassName() override { return L"UxGadgetWindow"; }

  LRESULT EvThemeChanged(WPARAM, LPARAM);
  void EvMouseMove(UINT modKeys, const OWL::TPoint& point);
  void EvMouseLeave();

 private:
  void CloseTheme() noexcept;

  bool mTrackingLeave = false;
  QORLinkingUtils::HTHEME mTheme = nullptr;
  int mThemeKind = 1;  // 1: "BUTTON", else "TOOLBAR"

  DECLARE_RESPONSE_TABLE(UxGadgetWindow);
};

}  // namespace QORControls
