// QORControls::ErrorProvider: flags, painting, and the balloon and tip shown over the icon.
#include "controls/ErrorProvider.h"

#include "controls/CBalloonHelp.h"
#include "controls/ControlsBitmapIds.h"
#include "platform/owl/TModule.h"
#include "platform/owl/TPaintDC.h"

namespace QORControls {

namespace {

constexpr UINT kHoverTimer = 1;
constexpr int kTick = 50;            // ms between hover timer ticks
constexpr int kTipLifetime = 5000;   // ms a tip stays
constexpr int kMoveTolerance = 3;    // pixels the cursor may move before a new balloon
constexpr uint32_t kBalloonOptions = 0x7E38;
constexpr uint32_t kLinkOptions = 0x67E38;

// A missing bitmap leaves the icon blank rather than failing the dialog.
std::unique_ptr<OWL::TBitmap> LoadModuleBitmap(int id) {
  HBITMAP const bitmap = OWL::TModule::Default().LoadBitmap(id);
  if (!bitmap) return nullptr;
  return std::make_unique<OWL::TBitmap>(bitmap, OWL::TAutoDelete::AutoDelete);
}

}  // namespace

uint32_t NormaliseErrorFlags(uint32_t flags) noexcept {
  uint32_t display = epBalloon;
  if (!(flags & epBalloon) && (flags & epPopup)) display = epPopup;
  if (!(flags & (epBalloon | epPopup)) && (flags & epNoHover)) display = epNoHover;
  uint32_t style = epError;
  if (flags & epAlternative) style = epAlternative;
  if (!(flags & (epAlternative | epError)) && (flags & epInformation)) style = epInformation;
  return display | style | (flags & epLink);
}

DEFINE_RESPONSE_TABLE1(ErrorProvider, OWL::TStatic)
  EV_WM_PAINT,
  EV_WM_MOUSEMOVE,
  EV_WM_LBUTTONDOWN,
  EV_WM_RBUTTONDOWN,
  OWL_MOUSE_ENTRY(WM_MBUTTONDOWN, EvMButtonDown),
  EV_WM_MOUSELEAVE,
  EV_WM_TIMER,
END_RESPONSE_TABLE;

ErrorProvider::ErrorProvider(OWL::TWindow* parent, int id) : OWL::TStatic(parent, id), mFlags(epBalloon | epError) {
  Init();
}

ErrorProvider::ErrorProvider(OWL::TWindow* parent, int id, int x, int y, int width, int height, uint32_t flags)
    : OWL::TStatic(parent, id, L"", x, y, width, height), mFlags(flags) {
  Attr.Style &= ~WS_VISIBLE;
  Init();
}

void ErrorProvider::Init() {
  Attr.ExStyle |= WS_EX_TRANSPARENT;
  mErrorBitmap = LoadModuleBitmap(IDB_ERROR_ICON);
  mAlternativeBitmap = LoadModuleBitmap(IDB_WARNING_ICON);
  mInformationBitmap = LoadModuleBitmap(IDB_INFORMATION_ICON);
}

ErrorProvider::~ErrorProvider() { RemoveTip(); }

void ErrorProvider::SetError(const QOR::String& title, bool show, const QOR::String& text) {
  mTitle = title;
  mText = text;
  ShowWindow(show ? SW_SHOW : SW_HIDE);
}

const OWL::TBitmap* ErrorProvider::StyleBitmap() const noexcept {
  if (mFlags & epError) return mErrorBitmap.get();
  if (mFlags & epAlternative) return mAlternativeBitmap.get();
  return mInformationBitmap.get();
}

void ErrorProvider::SetupWindow() {
  OWL::TStatic::SetupWindow();
  ModifyStyle(0, SS_NOTIFY);
  if (IsFlagSet(OWL::wfFromResource)) {
    ShowWindow(SW_HIDE);
    ModifyExStyle(0, WS_EX_TRANSPARENT);
  }
  mFlags = NormaliseErrorFlags(mFlags);
  const OWL::TBitmap* sizing = (mFlags & epInformation) ? mInformationBitmap.get() : mErrorBitmap.get();
  if (!sizing) return;
  // The icon sits at the bottom left of its placeholder.
  OWL::TRect place = GetWindowRect();
  HWND const parent = GetParentH();
  if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  int const height = sizing->Height();
  ::MoveWindow(mHandle, place.left, place.top + place.Height() - height, sizing->Width(), height, TRUE);
}

void ErrorProvider::PaintIcon(HDC dc) const {
  const OWL::TBitmap* bitmap = StyleBitmap();
  if (!bitmap) return;
  HDC const memory = CreateCompatibleDC(dc);
  HGDIOBJ const old = SelectObject(memory, bitmap->GetHandle());
  int const width = bitmap->Width();
  int const height = bitmap->Height();
  if (!TransparentBlt(dc, 0, 0, width, height, memory, 0, 0, width, height, GetPixel(memory, 0, 0)))
    BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

void ErrorProvider::EvPaint() {
  OWL::TPaintDC dc(*this);
  PaintIcon(dc);
}

void ErrorProvider::RequestBalloon() {
  auto* balloon = new WTL::CBalloonHelp;
  balloon->SetAnchorToWindow(GetHandle());
  balloon->SetMouseTolerance(kMoveTolerance);
  balloon->SetIcon((mFlags & epInformation) ? 32516 : 32515);  // IDI_INFORMATION, IDI_WARNING
  uint32_t options = kBalloonOptions;
  if ((mFlags & epLink) && !mLinkText.IsEmpty() && mLinkCallback) {
    options = kLinkOptions;
    balloon->SetLink(mLinkText.GetText(), mLinkCallback);
  }
  // Without a window the balloon cannot delete itself.
  if (!balloon->Create(GetHandle(), mTitle.GetText(), mText.GetText(), options)) delete balloon;
}

void ErrorProvider::StartHoverTimer() {
  if (!mTipShown && !mText.IsEmpty()) SetTimer(kHoverTimer, kTick);
}

void ErrorProvider::EvMouseMove(UINT modKeys, const OWL::TPoint& point) {
  if (!mLeaveTracking) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, GetHandle(), 0};
    TrackMouseEvent(&track);
    mLeaveTracking = true;
  }
  if (BalloonMode()) {
    int const dx = point.x - mLastPoint.x;
    int const dy = point.y - mLastPoint.y;
    if (dx * dx + dy * dy > kMoveTolerance * kMoveTolerance) {
      mLastPoint = point;
      RequestBalloon();
    }
  } else if (PopupMode()) {
    StartHoverTimer();
  }
  OWL::TStatic::EvMouseMove(modKeys, point);
}

void ErrorProvider::ButtonDown() {
  if (BalloonMode()) RequestBalloon();
  if (PopupMode()) StartHoverTimer();
}

void ErrorProvider::EvLButtonDown(UINT, const OWL::TPoint&) {
  ButtonDown();
  if (mClickCallback) mClickCallback();
}

void ErrorProvider::EvRButtonDown(UINT, const OWL::TPoint&) { ButtonDown(); }
void ErrorProvider::EvMButtonDown(UINT, const OWL::TPoint&) { ButtonDown(); }

// The hover time starts again with the next hover, so its tip shows at once.
void ErrorProvider::EvMouseLeave() {
  if (PopupMode()) {
    KillTimer(kHoverTimer);
    RemoveTip();
    mTipShown = false;
  }
  mHoverTime = 0;
  mLeaveTracking = false;
}

void ErrorProvider::EvTimer(UINT) {
  if (mText.IsEmpty()) return;
  mHoverTime += kTick;
  if (mHoverTime > kTipLifetime) {
    KillTimer(kHoverTimer);
    mHoverTime = 0;
    RemoveTip();
    return;
  }
  if (!PopupMode() || mTipShown) return;
  mTipShown = true;
  QOR::ShowTipAtCursor(mTip, this, mText);
}

void ErrorProvider::RemoveTip() noexcept { mTip.reset(); }

}  // namespace QORControls
