// QORControls::TBmpTxtButton: the dialogs' Help button (control 9): a glyph and the caption,
// painted with the visual style when themes are in force and classic otherwise, hot while the
// cursor is over it, with a hover tip once the cursor rests on it.
#pragma once

#include "base/String.h"
#include "controls/Popup.h"
#include "platform/owl/TGlyphButton.h"
#include "platform/uihelpers/UxThemeDLL.h"

#include <memory>

namespace QORControls {

class TBmpTxtButton : public OWL::TGlyphButton {
 public:
  static constexpr int kControlId = 9;
  static const wchar_t kButtonClass[];   // "BUTTON"
  static const wchar_t kToolbarClass[];  // "TOOLBAR"

  // The template button 9; an empty tip text means no tip.
  TBmpTxtButton(OWL::TWindow* parent, QOR::String tipText, OWL::TModule* module = nullptr);
  ~TBmpTxtButton() override;

  // The module's bitmap id becomes the normal glyph (light grey follows the button face).
  void SetBitmap(int bitmapId);
  void SetTipText(QOR::String text) { mTipText = text; }

  bool IsThemed() const noexcept { return !mUnthemed; }
  bool IsClicked() const noexcept { return mClicked; }
  int GetHoverTime() const noexcept { return mHoverTime; }
  const QOR::Popup* GetTip() const noexcept { return mTip.get(); }
  // The visual style's state for the button's state bits (later tests win: default, focus,
  // pressed, disabled).
  static int ThemeState(UINT buttonState) noexcept;

  void SetupWindow() override;
  void CleanupWindow() override;
  void PaintFrame(OWL::TDC& dc, OWL::TRect& rect) override;
  void PaintDefaultRect(OWL::TDC& dc, OWL::TRect& rect) override;
  void PaintButton(OWL::TDC& dc, const OWL::TRect& rect) override;
  void PaintFocusRect(OWL::TDC& dc, const OWL::TRect& face) override;
  void PaintFace(OWL::TDC& dc, const OWL::TRect& face) override;

  void EvMouseMove(UINT modKeys, const OWL::TPoint& point);
  void EvMouseLeave();
  void EvTimer(UINT timerId);
  void EvLButtonDown(UINT modKeys, const OWL::TPoint& point);
  void EvLButtonUp(UINT modKeys, const OWL::TPoint& point);
  void EvKeyDown(UINT key, UINT repeatCount, UINT flags);
  void EvKeyUp(UINT key, UINT repeatCount, UINT flags);
  void EvRButtonDown(UINT modKeys, const OWL::TPoint& point);
  void EvMButtonDown(UINT modKeys, const OWL::TPoint& point);
  void EvKillFocus(HWND getsFocus);
  void EvEnable(bool enabled);
  void EvThemeChanged();
  LRESULT EvCancelMode(WPARAM, LPARAM);

 private:
  void OpenTheme() noexcept;
  void CloseTheme() noexcept;
  // Glyph, caption and focus of the face; the classic look fills the face first.
  void PaintContent(OWL::TDC& dc, const OWL::TRect& face, bool themed);
  void DrawGlyph(OWL::TDC& dc, int cel, const OWL::TRect& glyphRect, bool disabled);
  void Leave();
  void KillFocusSteps();
  void EndTip() noexcept;
  bool Pressed() const noexcept { return IsSet(bsPressed); }

  QORLinkingUtils::HTHEME mTheme = nullptr;
  bool mUnthemed = true;
  bool mHot = false;
  bool mClicked = false;
  bool mKeyboardCue = false;
  bool mLeaveTracking = false;
  const wchar_t* mThemeClass = kButtonClass;
  QOR::String mTipText;
  std::unique_ptr<QOR::Popup> mTip;
  bool mTipShown = false;
  int mHoverTime = 0;
  int mToggleMode = 0;
  int mToggled = 0;
  int mTipLifetime = 5000;
  bool mParentBrush = false;
  bool mGlyphChanged = false;

  DECLARE_RESPONSE_TABLE(TBmpTxtButton);
};

}  // namespace QORControls
