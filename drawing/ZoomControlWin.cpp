// The zoom bar.
#include "drawing/ZoomControlWin.h"

#include "controls/MenuBase.h"
#include "controls/UxMenuGadget.h"
#include "controls/UxSizableButtonGadget.h"
#include "drawing/FixedGadgetWindow.h"
#include "drawing/PreviewResourceIds.h"
#include "drawing/ZoomRatio.h"
#include "platform/owl/TCommandEnabler.h"
#include "platform/owl/TModule.h"

namespace ScrivoDraw {

DEFINE_RESPONSE_TABLE1(ZoomControlWin, QORControls::UxBorderlessGadgetWindow)
  EV_COMMAND(IDC_ZOOM_FOLLOW, CmFollow),
  EV_COMMAND(IDC_ZOOM_AUTOSCALE, CmAutoScale),
  EV_COMMAND(IDC_ZOOM_COMPRESS, CmCompress),
  EV_COMMAND(IDC_ZOOM_EXPAND, CmExpand),
  EV_COMMAND_ENABLE(IDC_ZOOM_FOLLOW, CeFollow),
  EV_COMMAND_ENABLE(IDC_ZOOM_AUTOSCALE, CeAutoScale),
  EV_COMMAND_ENABLE(IDC_ZOOM_COMPRESS, CeCompress),
  EV_COMMAND_ENABLE(IDC_ZOOM_RATIO, CeRatio),
  EV_COMMAND_ENABLE(IDC_ZOOM_EXPAND, CeExpand),
  EV_MESSAGE(WM_INITMENUPOPUP, EvInitMenuPopup),
  EV_WM_LBUTTONDOWN,
  EV_WM_LBUTTONUP,
END_RESPONSE_TABLE;

namespace {

// The widest ratio the gadget must hold.
constexpr wchar_t kRatioProbe[] = L" 5000:1 ";

bool IsMenuCommand(UINT id) noexcept { return id >= kZoomMenuFirst && id < kZoomMenuEnd; }

void InsertButton(OWL::TGadgetWindow& bar, int id, OWL::TButtonGadget::TType type) {
  bar.Insert(*new UxSizableButtonGadget(id, OWL::TResId(id), type));
}

}  // namespace

ZoomControlWin::ZoomControlWin(OWL::TWindow* parent, uint32_t flags, AxisControlOwner& owner)
    : UxBorderlessGadgetWindow(parent, Horizontal), mOwner(owner) {
  if (flags & kZoomClipSiblings) Attr.Style |= WS_CLIPSIBLINGS;
  SetShrinkWrap(true, true);
  SetMargins(OWL::TMargins(0, 0, 0, 0));
  EnableTooltip(true);
  if (flags & kZoomFollowButton) InsertButton(*this, IDC_ZOOM_FOLLOW, OWL::TButtonGadget::NonExclusive);
  if (flags & kZoomAutoScaleButton) InsertButton(*this, IDC_ZOOM_AUTOSCALE, OWL::TButtonGadget::Command);
  InsertButton(*this, IDC_ZOOM_COMPRESS, OWL::TButtonGadget::Command);
  QOR::MenuBase const menu(L"XCOMPRESSEXPAND");
  mRatio = new QOR::UxMenuGadget(menu, *this, nullptr, 1, OWL::TButtonTextGadget::sText, OWL::TButtonGadget::Command,
                                 true, OWL::TButtonGadget::Up, false, 0);
  Insert(*mRatio);
  InsertButton(*this, IDC_ZOOM_EXPAND, OWL::TButtonGadget::Command);
}

void ZoomControlWin::SetupWindow() {
  UxBorderlessGadgetWindow::SetupWindow();
  ShareRatioSize();
}

// The ratio gadget is measured with the widest text; every gadget gets that height and the
// ratio gadget that width, so the bar does not jump as the ratio changes.
void ZoomControlWin::ShareRatioSize() {
  std::wstring const previous = mRatio->GetText();
  mRatio->SetShrinkWrap(true, true);
  mRatio->SetText(kRatioProbe, false);
  OWL::TSize probe;
  mRatio->GetDesiredSize(probe);
  mRatio->SetShrinkWrap(false, false);
  mRatio->SetText(previous, false);
  for (OWL::TGadget* gadget : Gadgets()) {
    if (gadget != mRatio) gadget->SetShrinkWrap(true, false);
    gadget->SetSize(probe);
  }
  LayoutSession();
}

OWL::TButtonGadget* ZoomControlWin::Button(int id) const noexcept {
  return dynamic_cast<OWL::TButtonGadget*>(GadgetWithId(id));
}

std::wstring ZoomControlWin::GetHintText(int id) {
  switch (id) {
    case IDC_ZOOM_FOLLOW:
      return GetModule()->LoadString(IDS_TIP_FOLLOW);
    case IDC_ZOOM_AUTOSCALE:
      return mAutoScaleTip.empty() ? GetModule()->LoadString(IDS_TIP_AUTOSCALE) : mAutoScaleTip;
    case IDC_ZOOM_COMPRESS:
      return GetModule()->LoadString(IDS_TIP_COMPRESS);
    case IDC_ZOOM_RATIO:
      return GetModule()->LoadString(IDS_TIP_RATIO);
    case IDC_ZOOM_EXPAND:
      return GetModule()->LoadString(IDS_TIP_EXPAND);
    default:
      return {};
  }
}

LRESULT ZoomControlWin::EvCommand(UINT id, HWND control, UINT notifyCode) {
  if (!IsMenuCommand(id)) return UxBorderlessGadgetWindow::EvCommand(id, control, notifyCode);
  mOwner.ExecuteZoomCommand(1, static_cast<int32_t>(id));
  return 0;
}

void ZoomControlWin::EvCommandEnable(OWL::TCommandEnabler& enabler) {
  if (!IsMenuCommand(enabler.GetId())) {
    UxBorderlessGadgetWindow::EvCommandEnable(enabler);
    return;
  }
  mOwner.QueryZoomCommand(1, enabler);
}

LRESULT ZoomControlWin::EvInitMenuPopup(WPARAM menu, LPARAM) {
  mOwner.BuildZoomMenu(reinterpret_cast<HMENU>(menu), kZoomMenuFirst, kZoomMenuEnd);
  return 0;
}

// The tooltip is deactivated and at once activated again, which closes a tip on show.
void ZoomControlWin::EvLButtonDown(UINT modKeys, const OWL::TPoint& point) {
  ActivateBarTooltip(*this, false);
  ActivateBarTooltip(*this, true);
  UxBorderlessGadgetWindow::EvLButtonDown(modKeys, point);
}

void ZoomControlWin::EvLButtonUp(UINT modKeys, const OWL::TPoint& point) {
  ActivateBarTooltip(*this, true);
  UxBorderlessGadgetWindow::EvLButtonUp(modKeys, point);
}

void ZoomControlWin::CmFollow() {
  OWL::TButtonGadget* const follow = Button(IDC_ZOOM_FOLLOW);
  if (follow) mOwner.SetFollow(follow->GetButtonState() == OWL::TButtonGadget::Up, true);
}

void ZoomControlWin::MoveTo(const RECT& rect) {
  if (!GetHandle()) return;
  bool const empty = rect.right <= rect.left || rect.bottom <= rect.top;
  ::ShowWindow(GetHandle(), empty ? SW_HIDE : SW_SHOWNA);
  RECT placed = rect;
  if (mCoordinateWindow) MapWindowPoints(mCoordinateWindow, ::GetParent(GetHandle()), reinterpret_cast<POINT*>(&placed), 2);
  ::SetWindowPos(GetHandle(), nullptr, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

bool ZoomControlWin::IsEnabled() const { return GetHandle() && ::IsWindowEnabled(GetHandle()); }

void ZoomControlWin::Enable(bool enable) {
  if (GetHandle()) ::EnableWindow(GetHandle(), enable);
}

std::wstring ZoomControlWin::FormatRatio(int64_t numerator, int64_t denominator) const {
  return FormatZoomRatio(numerator, denominator);
}

void ZoomControlWin::SetRatio(int64_t numerator, int64_t denominator) { SetText(FormatRatio(numerator, denominator)); }

SIZE ZoomControlWin::GetSize() {
  OWL::TSize size;
  GetDesiredSize(size);
  OWL::TSize ratio(0, 0);
  if (mRatio) mRatio->GetDesiredSize(ratio);
  return SIZE{size.cx, ratio.cy};
}

void ZoomControlWin::SetText(const std::wstring& text) {
  if (mRatio) mRatio->SetText(text);
}

void ZoomControlWin::SetFollowState(bool following) {
  if (OWL::TButtonGadget* follow = Button(IDC_ZOOM_FOLLOW))
    follow->SetButtonState(following ? OWL::TButtonGadget::Up : OWL::TButtonGadget::Down);
}

QORRationalImp ZoomControlWin::RatioFromMenuId(int32_t id) const { return ZoomRatioFromMenuId(id); }

void ZoomControlWin::Invalidate() {
  if (GetHandle()) ::InvalidateRect(GetHandle(), nullptr, TRUE);
}

}  // namespace ScrivoDraw
