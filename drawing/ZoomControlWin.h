// ScrivoDraw::ZoomControlWin: the zoom bar beside a preview's scroll bar, with the horizontal
// scaling ratio and its menu, compress and expand buttons and, when asked for, the follow
// toggle and horizontal auto-scale buttons.
#pragma once

#include "controls/UxBorderlessGadgetWindow.h"
#include "drawing/PaneControls.h"

namespace OWL {
class TButtonGadget;
}
namespace QOR {
class UxMenuGadget;
}

namespace ScrivoDraw {

// Construction flags.
inline constexpr uint32_t kZoomFollowButton = 0x80000000u;
inline constexpr uint32_t kZoomAutoScaleButton = 0x20000000u;
inline constexpr uint32_t kZoomClipSiblings = 0x10000000u;

class ZoomControlWin final : public QORControls::UxBorderlessGadgetWindow, public ZoomControl {
 public:
  ZoomControlWin(OWL::TWindow* parent, uint32_t flags, AxisControlOwner& owner);

  void SetupWindow() override;
  std::wstring GetHintText(int id) override;
  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override;
  void EvCommandEnable(OWL::TCommandEnabler& enabler) override;

  // Rectangles given to MoveTo are in window's client coordinates (the pane's window, whose
  // parent holds the bar); none: the parent's.
  void SetCoordinateWindow(HWND window) noexcept { mCoordinateWindow = window; }
  void MoveTo(const RECT& rect) override;
  bool IsEnabled() const override;
  void Enable(bool enable) override;
  std::wstring FormatRatio(int64_t numerator, int64_t denominator) const override;
  void SetRatio(int64_t numerator, int64_t denominator) override;
  SIZE GetSize() override;
  void SetText(const std::wstring& text) override;
  void SetAutoScaleTip(const std::wstring& tip) override { mAutoScaleTip = tip; }
  void SetFollowState(bool following) override;
  QORRationalImp RatioFromMenuId(int32_t id) const override;
  void Invalidate() override;

  QOR::UxMenuGadget* RatioGadget() const noexcept { return mRatio; }
  OWL::TButtonGadget* Button(int id) const noexcept;

 private:
  void CmFollow();
  void CmAutoScale() { mOwner.AutoScaleHorizontally(0); }
  void CmCompress() { mOwner.ZoomStep(false); }
  void CmExpand() { mOwner.ZoomStep(true); }
  void CeFollow(OWL::TCommandEnabler& enabler) { enabler.Enable(true); }
  void CeAutoScale(OWL::TCommandEnabler& enabler) { enabler.Enable(mOwner.CanZoom(4)); }
  void CeCompress(OWL::TCommandEnabler& enabler) { enabler.Enable(mOwner.CanZoom(2)); }
  void CeRatio(OWL::TCommandEnabler& enabler) { enabler.Enable(mOwner.CanZoom(3)); }
  void CeExpand(OWL::TCommandEnabler& enabler) { enabler.Enable(mOwner.CanZoom(1)); }
  LRESULT EvInitMenuPopup(WPARAM menu, LPARAM);
  void EvLButtonDown(UINT modKeys, const OWL::TPoint& point);
  void EvLButtonUp(UINT modKeys, const OWL::TPoint& point);
  void ShareRatioSize();

  AxisControlOwner& mOwner;
  HWND mCoordinateWindow = nullptr;
  QOR::UxMenuGadget* mRatio = nullptr;  // owned by the gadget window once inserted
  std::wstring mAutoScaleTip;

  DECLARE_RESPONSE_TABLE(ZoomControlWin);
};

}  // namespace ScrivoDraw
