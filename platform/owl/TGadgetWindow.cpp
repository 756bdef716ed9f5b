// OWL::TGadgetWindow: layout, painting, mouse routing, tooltips and command enabling of a
// strip of gadgets.
#include "platform/owl/TGadgetWindow.h"

#include "platform/owl/TDC.h"
#include "platform/owl/TGadget.h"
#include "platform/owl/TModule.h"

#include <commctrl.h>

#include <algorithm>

namespace OWL {

DEFINE_RESPONSE_TABLE1(TGadgetWindow, TWindow)
  EV_WM_SIZE,
  EV_WM_MOUSEMOVE,
  EV_WM_MOUSELEAVE,
  EV_WM_LBUTTONDOWN,
  EV_WM_LBUTTONUP,
  EV_WM_LBUTTONDBLCLK,
  EV_WM_RBUTTONDOWN,
  EV_WM_RBUTTONUP,
  EV_WM_SYSCOLORCHANGE,
END_RESPONSE_TABLE;

TFont* NewGadgetWindowFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    return new TFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  return new TFont(metrics.lfMessageFont);
}

TGadgetWindow::TGadgetWindow(TWindow* parent, TTileDirection direction, TFont* font, TModule* module)
    : TWindow(parent, nullptr, module), mFont(font ? font : NewGadgetWindowFont()), mDirection(direction) {
  Attr.Style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN;
}

TGadgetWindow::~TGadgetWindow() {
  if (IsWindow()) Destroy();
  for (TGadget* gadget : mGadgets) {
    gadget->mWindow = nullptr;
    delete gadget;
  }
}

const wchar_t* TGadgetWindow::GetClassName() { return L"OndaraGadgetWindow"; }

void TGadgetWindow::GetWindowClass(WNDCLASSEXW& windowClass) {
  TWindow::GetWindowClass(windowClass);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
}

void TGadgetWindow::Insert(TGadget& gadget, TPlacement placement, TGadget* sibling) {
  auto at = std::find(mGadgets.begin(), mGadgets.end(), sibling);
  if (at == mGadgets.end()) at = placement == After ? mGadgets.end() : mGadgets.begin();
  else if (placement == After) ++at;
  mGadgets.insert(at, &gadget);
  gadget.mWindow = this;
  gadget.Inserted();
  if (!IsWindow()) return;
  gadget.Created();
  LayoutSession();
}

TGadget* TGadgetWindow::Remove(TGadget& gadget) {
  auto const at = std::find(mGadgets.begin(), mGadgets.end(), &gadget);
  if (at == mGadgets.end()) return nullptr;
  if (mCapture == &gadget) GadgetReleaseCapture(gadget);
  if (mAtMouse == &gadget) mAtMouse = nullptr;
  mGadgets.erase(at);
  gadget.Removed();
  gadget.mWindow = nullptr;
  if (IsWindow()) {
    if (gadget.IsVisible()) InvalidateRect(gadget.GetBounds());
    LayoutSession();
  }
  return &gadget;
}

TGadget* TGadgetWindow::GadgetFromPoint(const TPoint& point) const noexcept {
  for (TGadget* gadget : mGadgets) {
    if (gadget->IsVisible() && gadget->GetBounds().Contains(point)) return gadget;
  }
  return nullptr;
}

TGadget* TGadgetWindow::GadgetWithId(int id) const noexcept {
  for (TGadget* gadget : mGadgets) {
    if (gadget->GetId() == id) return gadget;
  }
  return nullptr;
}

void TGadgetWindow::SetShrinkWrap(bool width, bool height) {
  mShrinkWrapWidth = width;
  mShrinkWrapHeight = height;
}

void TGadgetWindow::SetMargins(const TMargins& margins) {
  mMargins = margins;
  if (IsWindow()) LayoutSession();
}

TSize TGadgetWindow::GetFontCharSize() const noexcept {
  TEXTMETRICW const metrics = mFont->GetTextMetrics();
  return {metrics.tmAveCharWidth, metrics.tmHeight};
}

// The size a gadget is given: its desired size in each direction it shrink-wraps, else the
// size it has (the across-size 0 meaning "as the strip").
static TSize GadgetSize(TGadget& gadget) {
  TSize desired(0, 0);
  gadget.GetDesiredSize(desired);
  TSize const current = gadget.GetBounds().Size();
  return {gadget.GetShrinkWrapWidth() ? desired.cx : current.cx,
          gadget.GetShrinkWrapHeight() ? desired.cy : current.cy};
}

void TGadgetWindow::GetDesiredSize(TSize& size) {
  int along = 0;
  int across = 0;
  for (TGadget* gadget : mGadgets) {
    if (!gadget->IsVisible()) continue;
    TSize s = GadgetSize(*gadget);
    if (gadget->WideAsPossible && mDirection == Horizontal) {
      TSize desired(0, 0);
      gadget->GetDesiredSize(desired);
      s.cx = desired.cx;
    }
    along += mDirection == Horizontal ? s.cx : s.cy;
    across = std::max(across, static_cast<int>(mDirection == Horizontal ? s.cy : s.cx));
  }
  int const border = (GetStyle() & WS_BORDER) ? 2 * GetSystemMetrics(SM_CXBORDER) : 0;
  int const w = mDirection == Horizontal ? along : across;
  int const h = mDirection == Horizontal ? across : along;
  size = TSize(w + mMargins.Left + mMargins.Right + border, h + mMargins.Top + mMargins.Bottom + border);
}

void TGadgetWindow::LayoutGadgets() {
  TRect const inner = mMargins.Inset(IsWindow() ? GetClientRect() : TRect(0, 0, Attr.W, Attr.H));
  bool const horizontal = mDirection == Horizontal;
  std::vector<TSize> sizes;
  int used = 0;
  TGadget* wide = nullptr;
  for (TGadget* gadget : mGadgets) {
    sizes.push_back(gadget->IsVisible() ? GadgetSize(*gadget) : TSize(0, 0));
    if (horizontal && gadget->WideAsPossible && gadget->IsVisible() && !wide) wide = gadget;
    else used += horizontal ? sizes.back().cx : sizes.back().cy;
  }
  int pos = horizontal ? inner.left : inner.top;
  for (size_t i = 0; i < mGadgets.size(); ++i) {
    TGadget& gadget = *mGadgets[i];
    if (!gadget.IsVisible()) continue;
    TSize s = sizes[i];
    if (&gadget == wide) s.cx = std::max(0, inner.Width() - used);
    if (horizontal && s.cy <= 0) s.cy = inner.Height();
    if (!horizontal && s.cx <= 0) s.cx = inner.Width();
    // A gadget sized by its content gets no more across than a laid-out strip holds.
    if (horizontal && gadget.GetShrinkWrapHeight() && inner.Height() > 0) s.cy = std::min<LONG>(s.cy, inner.Height());
    if (!horizontal && gadget.GetShrinkWrapWidth() && inner.Width() > 0) s.cx = std::min<LONG>(s.cx, inner.Width());
    gadget.SetBounds(horizontal ? TRect(TPoint(pos, inner.top), s) : TRect(TPoint(inner.left, pos), s));
    pos += horizontal ? s.cx : s.cy;
  }
}

void TGadgetWindow::LayoutSession() {
  if (!IsWindow()) return;
  if (mShrinkWrapWidth || mShrinkWrapHeight) {
    TSize desired(0, 0);
    GetDesiredSize(desired);
    TRect const window = GetWindowRect();
    int const w = mShrinkWrapWidth ? desired.cx : window.Width();
    int const h = mShrinkWrapHeight ? desired.cy : window.Height();
    if (w != window.Width() || h != window.Height())
      ::SetWindowPos(mHandle, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  LayoutGadgets();
  UpdateTools();
  Invalidate();
}

void TGadgetWindow::GadgetChangedSize(TGadget&) { LayoutSession(); }

bool TGadgetWindow::GadgetSetCapture(TGadget& gadget) {
  if (mCapture) return false;
  mCapture = &gadget;
  SetCapture();
  return true;
}

void TGadgetWindow::GadgetReleaseCapture(TGadget& gadget) {
  if (mCapture != &gadget) return;
  mCapture = nullptr;
  if (GetCapture() == mHandle) ReleaseCapture();
}

void TGadgetWindow::EnableTooltip(bool enable) {
  mWantTooltip = enable;
  if (!IsWindow()) return;
  if (enable && !mTooltip) {
    mTooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, mHandle, nullptr,
                               TModule::CodeInstance(), nullptr);
    UpdateTools();
  }
  if (mTooltip) ::SendMessageW(mTooltip, TTM_ACTIVATE, enable, 0);
}

std::wstring TGadgetWindow::GetHintText(int id) { return GetModule()->LoadString(static_cast<UINT>(id)); }

// One tool per visible gadget with an id, its rectangle the gadget's bounds; the text is
// asked for when shown.
void TGadgetWindow::UpdateTools() {
  if (!mTooltip) return;
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = mHandle;
  while (::SendMessageW(mTooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info)))
    ::SendMessageW(mTooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  for (TGadget* gadget : mGadgets) {
    if (gadget->IsVisible() && gadget->GetId() != 0) AddTool(*gadget);
  }
}

void TGadgetWindow::AddTool(TGadget& gadget) {
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_SUBCLASS;
  info.hwnd = mHandle;
  info.uId = static_cast<UINT_PTR>(gadget.GetId());
  info.rect = gadget.GetBounds();
  info.lpszText = LPSTR_TEXTCALLBACKW;
  ::SendMessageW(mTooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

LRESULT TGadgetWindow::EvNotify(UINT id, NMHDR& header) {
  if (!mTooltip || header.hwndFrom != mTooltip || header.code != TTN_GETDISPINFOW)
    return TWindow::EvNotify(id, header);
  auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
  mHint = GetHintText(static_cast<int>(header.idFrom));
  info.lpszText = mHint.data();
  return 0;
}

bool TGadgetWindow::IdleAction(long) {
  for (TGadget* gadget : mGadgets) gadget->CommandEnable();
  return false;
}

void TGadgetWindow::SetupWindow() {
  TWindow::SetupWindow();
  for (TGadget* gadget : mGadgets) gadget->Created();
  if (mWantTooltip) EnableTooltip(true);
  LayoutSession();
}

void TGadgetWindow::CleanupWindow() {
  if (mTooltip) DestroyWindow(mTooltip);
  mTooltip = nullptr;
  mAtMouse = nullptr;
  mCapture = nullptr;
  TWindow::CleanupWindow();
}

void TGadgetWindow::Paint(TDC& dc, bool, TRect& rect) {
  for (TGadget* gadget : mGadgets) {
    if (!gadget->IsVisible() || !gadget->GetBounds().Touches(rect)) continue;
    int const saved = dc.SaveDC();
    TPoint const origin = dc.GetViewportOrg();
    TRect const bounds = gadget->GetBounds();
    dc.SetViewportOrg(TPoint(origin.x + bounds.left, origin.y + bounds.top));
    dc.IntersectClipRect(TRect(0, 0, bounds.Width(), bounds.Height()));
    gadget->Paint(dc);
    dc.RestoreDC(saved);
  }
}

LRESULT TGadgetWindow::EvCommand(UINT id, HWND control, UINT notifyCode) {
  const TResponseTable& table = GetResponseTable();
  bool const mine = (control && table.Find(TEventKind::ChildNotify, notifyCode, id)) ||
                    (notifyCode <= 1 && table.Find(TEventKind::Command, 0, id));
  if (mine || !GetParentH()) return TWindow::EvCommand(id, control, notifyCode);
  return ::SendMessageW(GetParentH(), WM_COMMAND, MAKEWPARAM(id, notifyCode), reinterpret_cast<LPARAM>(control));
}

void TGadgetWindow::EvCommandEnable(TCommandEnabler& enabler) {
  if (GetResponseTable().Find(TEventKind::CommandEnable, 0, enabler.GetId()) || !GetParentO()) {
    TWindow::EvCommandEnable(enabler);
    return;
  }
  GetParentO()->HandleMessage(WM_COMMAND_ENABLE, 0, reinterpret_cast<LPARAM>(&enabler));
}

TPoint TGadgetWindow::Relative(const TGadget& gadget, const TPoint& point) noexcept {
  return TPoint(point.x - gadget.GetBounds().left, point.y - gadget.GetBounds().top);
}

void TGadgetWindow::MoveAtMouse(TGadget* gadget, UINT modKeys, const TPoint& point) {
  if (gadget == mAtMouse) return;
  TGadget* const old = mAtMouse;
  mAtMouse = gadget;
  if (old) old->MouseLeave(modKeys, Relative(*old, point));
  if (gadget) gadget->MouseEnter(modKeys, Relative(*gadget, point));
}

void TGadgetWindow::EvSize(UINT, const TSize&) {
  LayoutGadgets();
  UpdateTools();
  Invalidate();
}

void TGadgetWindow::EvMouseMove(UINT modKeys, const TPoint& point) {
  if (mCapture) {
    mCapture->MouseMove(modKeys, Relative(*mCapture, point));
    return;
  }
  TGadget* const gadget = GadgetFromPoint(point);
  MoveAtMouse(gadget, modKeys, point);
  if (gadget) gadget->MouseMove(modKeys, Relative(*gadget, point));
}

void TGadgetWindow::EvMouseLeave() {
  if (mCapture || !mAtMouse) return;
  TPoint point;
  GetCursorPos(&point);
  ScreenToClient(point);
  MoveAtMouse(nullptr, 0, point);
}

void TGadgetWindow::EvLButtonDown(UINT modKeys, const TPoint& point) {
  TGadget* const gadget = mCapture ? mCapture : GadgetFromPoint(point);
  if (gadget && gadget->GetEnabled()) gadget->LButtonDown(modKeys, Relative(*gadget, point));
}

void TGadgetWindow::EvLButtonUp(UINT modKeys, const TPoint& point) {
  TGadget* const gadget = mCapture ? mCapture : GadgetFromPoint(point);
  if (gadget && (gadget == mCapture || gadget->GetEnabled())) gadget->LButtonUp(modKeys, Relative(*gadget, point));
}

void TGadgetWindow::EvLButtonDblClk(UINT modKeys, const TPoint& point) { EvLButtonDown(modKeys, point); }

void TGadgetWindow::EvRButtonDown(UINT modKeys, const TPoint& point) {
  TGadget* const gadget = mCapture ? mCapture : GadgetFromPoint(point);
  if (gadget && gadget->GetEnabled()) gadget->RButtonDown(modKeys, Relative(*gadget, point));
}

void TGadgetWindow::EvRButtonUp(UINT modKeys, const TPoint& point) {
  TGadget* const gadget = mCapture ? mCapture : GadgetFromPoint(point);
  if (gadget && (gadget == mCapture || gadget->GetEnabled())) gadget->RButtonUp(modKeys, Relative(*gadget, point));
}

void TGadgetWindow::EvSysColorChange() {
  for (TGadget* gadget : mGadgets) gadget->SysColorChange();
  Invalidate();
}

}  // namespace OWL
