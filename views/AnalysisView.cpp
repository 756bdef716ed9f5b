// AnalysisView: construction and layout, refresh, the calculation menu, the status text, the
// scroll range and the keys.
#include "views/AnalysisView.h"

#include "document/AnalysisViewData.h"
#include "document/CycleDetector.h"
#include "document/ZRDoc.h"
#include "hostapi/DocumentTitle.h"
#include "hostclient/DocViewIds.h"
#include "hostclient/EventTableEntries.h"
#include "platform/owl/EvMessageEntries.h"
#include "platform/owl/TControlGadget.h"
#include "platform/owl/TGadgetWindow.h"
#include "platform/owl/TModule.h"
#include "platform/owl/TTextGadget.h"
#include "platform/uihelpers/ScreenDpi.h"
#include "views/AnalysisPlot.h"
#include "views/AnalysisScrollBar.h"
#include "views/PopupMenu.h"
#include "views/ViewStringIds.h"

#include <oleauto.h>

#include <algorithm>
#include <climits>
#include <string>

namespace {

QOR::String LoadedText(UINT id) { return QOR::String(OWL::TModule::Default().LoadString(id).c_str()); }

using ColoursChangedEvent = TypeIdClass<&HostNotifyMsgGUID, 8>;

// Keys the view turns into scroll codes.
bool ScrollCodeOfKey(WPARAM key, UINT& code) {
  switch (key) {
    case VK_PRIOR: code = SB_PAGEUP; return true;
    case VK_NEXT: code = SB_PAGEDOWN; return true;
    case VK_END: code = SB_BOTTOM; return true;
    case VK_HOME: code = SB_TOP; return true;
    case VK_LEFT: case VK_UP: code = SB_LINEUP; return true;
    case VK_RIGHT: case VK_DOWN: code = SB_LINEDOWN; return true;
    default: return false;
  }
}

}  // namespace

int32_t EventScrollPage(int32_t width, int32_t events) noexcept {
  if (width <= 0 || events <= 0) return 0;
  // pages × events must stay a 32-bit scroll range.
  return std::max<int32_t>(1, std::min<int32_t>(width, INT_MAX / events));
}

DEFINE_RESPONSE_TABLE1(AnalysisView, ZRViewBase)
  EV_WM_SIZE,
  EV_WM_ERASEBKGND,
  // The wheel does not step through the events.
  OWL_MSG_ENTRY(WM_MOUSEWHEEL, return 1;),
END_RESPONSE_TABLE;

LUMO_DEFINE_EVENT_TABLE(AnalysisView, ZRViewBase){
    EventTableHead(),
    ObserverEntry(&ColoursChangedEvent::GetId, &AnalysisView::OnColoursChanged),
    EventTableEnd(),
};

AnalysisView::AnalysisView(OWL::TWindow* parent, IDocViewClass* viewClass, IDocView2* view, IUnknown* owner,
                           OWL::TModule* module)
    : ZRViewBase(parent, viewClass, view, owner, module) {
  Attr.Style |= WS_CLIPCHILDREN;
  mStrip = new OWL::TGadgetWindow(this, OWL::TGadgetWindow::Horizontal);
  mStrip->SetShrinkWrap(false, false);
  mStrip->EnableAutoCreate();
  mCalculationButton = new PopupMenu(this);
  mCalculationButton->SetStyle(PopupMenu::kCheckChoice);
  mCalculationButton->Attr.W = mCalculationButton->Attr.H = QOR::ScaleForDpi(kButtonSide, QOR::ScreenDpi());
  auto* const buttonGadget = new OWL::TControlGadget(*mCalculationButton);
  buttonGadget->SetShrinkWrap(true, true);
  mStrip->Insert(*buttonGadget);
  // Ten characters at first, then as wide as its text: the value and the event number are read
  // whole.
  mStatusText = new OWL::TTextGadget(0, OWL::TGadget::Recessed, OWL::TTextGadget::Left, 10, L"");
  mStatusText->SetShrinkWrap(true, false);
  mStrip->Insert(*mStatusText, OWL::TGadgetWindow::After, buttonGadget);
  mScrollBar = new AnalysisScrollBar(*this);
  mPlot = Document() ? new AnalysisPlot(this, module, Document()) : nullptr;
  if (mPlot) mPlot->EnableAutoCreate();
}

AnalysisView::~AnalysisView() {
  // A window destroyed with its frame may not have been cleaned up: the document must not keep
  // the view.
  if (Document()) Document()->DetachView(this);
}

uint32_t AnalysisView::ViewMessageId() noexcept { return DocIds::OpenAnalysisViewMessage::Id(); }

void AnalysisView::GetWindowClass(WNDCLASSEXW& windowClass) {
  ZRViewBase::GetWindowClass(windowClass);
  windowClass.style |= CS_HREDRAW | CS_VREDRAW;
}

void AnalysisView::SetupWindow() {
  ZRViewBase::SetupWindow();
  if (Document()) Document()->AttachView(this);
  mStrip->EnableTooltip(true);
  mStripHeight = StripHeightForText(QOR::ScreenDpi());
  mStatusText->SetSize(OWL::TSize(mStripHeight, mStripHeight));
  mScrollBarHeight = GetSystemMetrics(SM_CYHSCROLL);
  // The first size arrived before the children had windows.
  const OWL::TRect client = GetClientRect();
  Layout(client.Width(), client.Height());
  RebuildCalculationMenu();
}

void AnalysisView::CleanupWindow() {
  if (Document()) Document()->DetachView(this);
  ZRViewBase::CleanupWindow();
}

QOR::String AnalysisView::GetCopyCommandName() {
  static const QOR::String kName = LoadedText(IDS_AV_COPY_COMMAND);
  return kName;
}

QOR::String AnalysisView::GetPrintCommandName() {
  static const QOR::String kName = LoadedText(IDS_AV_PRINT_COMMAND);
  return kName;
}

QOR::String AnalysisView::GetCaption() {
  std::wstring caption;
  ComPtr<IHostDocumentTitle> title;
  BSTR text = nullptr;
  if (HostDocument() && SUCCEEDED(HostDocument()->QueryInterface(IID_IHostDocumentTitle, title.OutVoid())) &&
      title && SUCCEEDED(title->GetTitle(&text)) && text)
    caption.assign(text, SysStringLen(text));
  SysFreeString(text);
  caption += L": ";
  caption += ViewName().GetText();
  return QOR::String(caption.c_str());
}

void AnalysisView::Render(OWL::TDC& dc, OWL::TDC* printer, const OWL::TRect& rect) {
  if (mPlot) mPlot->RenderTo(dc, printer, rect);
}

void AnalysisView::EvSize(UINT sizeType, const OWL::TSize& size) {
  ZRViewBase::EvSize(sizeType, size);
  if (size.cx >= 1 && size.cy >= 1) Layout(size.cx, size.cy);
}

// The strip's height scaled to the screen, and never lower than its status text with the text's
// border and the strip's own: the strip's font grows with the screen's resolution.
int AnalysisView::StripHeightForText(int dpi) {
  OWL::TSize text(0, 0);
  mStatusText->GetDesiredSize(text);
  return std::max<int>(QOR::ScaleForDpi(kStripHeight, dpi), text.cy + 2 * GetSystemMetrics(SM_CYBORDER));
}

void AnalysisView::Layout(int width, int height) {
  if (!mScrollBar->GetHandle() || !mStrip->GetHandle()) return;
  const int s = mScrollBarHeight;
  const int strip = mStripHeight;
  const UINT flags = SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  mScrollBar->SetWindowPos(nullptr, OWL::TRect(0, height - s - strip, width, height - strip), flags);
  mStrip->SetWindowPos(nullptr, OWL::TRect(0, height - strip, width, height), flags);
  if (mPlot && mPlot->GetHandle())
    mPlot->MoveWindow(OWL::TRect(0, 0, width, std::max(0, height - strip - s)), true);
  mScrollBar->Invalidate(true);
  mStrip->Invalidate(true);
  UpdateScrollRange();
}

int32_t AnalysisView::EventCount() {
  ZR::Doc::CycleDetector* const detector = Document() ? Document()->GetCycleDetector() : nullptr;
  return detector ? detector->EventCount() : 0;
}

int32_t AnalysisView::ScrollPage() const {
  const int32_t width = GetHandle() ? GetClientRect().Width() : 0;
  return EventScrollPage(width, const_cast<AnalysisView*>(this)->EventCount());
}

void AnalysisView::Refresh() {
  if (mPlot) mPlot->InvalidatePlot();
  RebuildCalculationMenu();
  UpdateStatusText();
  if (!mScrollBar->Tracking()) UpdateScrollRange();
}

void AnalysisView::UpdateScrollRange() {
  if (!mScrollBar->GetHandle()) return;
  const int32_t count = EventCount();
  if (count <= 0 || !Document()) {
    mScrollBar->EnableWindow(false);
    return;
  }
  mScrollBar->EnableWindow(true);
  const int32_t page = ScrollPage();
  const int32_t event = std::min<int32_t>(static_cast<int32_t>(std::min<uint32_t>(Document()->CurrentEvent(), INT_MAX)),
                                          count - 1);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = page * count;
  info.nPage = static_cast<UINT>(page);
  info.nPos = event * page;
  mScrollBar->SetScrollInfo(info, true);
  mScrollBar->SetLastEvent(event);
}

void AnalysisView::RebuildCalculationMenu() {
  OWL::TPopupMenu& menu = mCalculationButton->Popup();
  while (menu.GetMenuItemCount() > 0) menu.DeleteMenu(0, MF_BYPOSITION);
  if (!Document()) return;
  const std::vector<QOR::String> names = Document()->GetAnalysisViewData().CalculationNames();
  if (mCurrentCalculation >= static_cast<int32_t>(names.size())) mCurrentCalculation = 0;
  for (size_t i = 0; i < names.size(); ++i)
    menu.AppendMenu(MF_STRING, kFirstCalculationId + i, names[i].GetText());
  mCalculationButton->Check(kFirstCalculationId + mCurrentCalculation);
}

void AnalysisView::UpdateStatusText() {
  const int32_t count = EventCount();
  if (count <= 0) {
    mStatusText->SetText(LoadedText(IDS_AV_NO_EVENTS).GetText());
    return;
  }
  std::wstring text = Document()->GetAnalysisViewData().ValueText(mCurrentCalculation).GetText();
  const uint32_t event = Document()->CurrentEvent();
  if (event < static_cast<uint32_t>(count)) {
    text += LoadedText(IDS_AV_EVENT).GetText() + std::to_wstring(event + 1) + LoadedText(IDS_AV_OF).GetText() +
            std::to_wstring(count) + LoadedText(IDS_AV_END).GetText();
  }
  mStatusText->SetText(text.c_str());
}

LRESULT AnalysisView::EvCommand(UINT id, HWND control, UINT notifyCode) {
  const int32_t index = static_cast<int32_t>(id) - kFirstCalculationId;
  if (notifyCode == 0 && index >= 0 && index < mCalculationButton->Popup().GetMenuItemCount()) {
    mCalculationButton->Check(static_cast<int>(id));
    mCurrentCalculation = index;
    UpdateStatusText();
  }
  return ZRViewBase::EvCommand(id, control, notifyCode);
}

bool AnalysisView::PreProcessMsg(MSG& msg) {
  if (ZRViewBase::PreProcessMsg(msg)) return true;
  UINT code = 0;
  if ((msg.message != WM_KEYDOWN && msg.message != WM_KEYUP) || !ScrollCodeOfKey(msg.wParam, code)) return false;
  if (msg.message == WM_KEYUP) code = SB_ENDSCROLL;
  SendMessage(WM_HSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(mScrollBar->GetHandle()));
  return true;
}

void AnalysisView::OnColoursChanged() {
  if (mPlot) mPlot->ApplyColours();
}
