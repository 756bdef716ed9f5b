// ViewBase: the host's print and copy command states, the site's print message and the grip.
#include "views/ViewBase.h"

#include "hostapi/DocView.h"
#include "hostapi/MessageHandler.h"
#include "hostapi/ViewPrinting.h"
#include "hostclient/ComPtr.h"
#include "hostclient/EventTableEntries.h"
#include "hostclient/FrameworkAccess.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TModule.h"
#include "views/ViewStringIds.h"

#include <oleauto.h>

#include <algorithm>
#include <cwchar>

namespace {

ComPtr<IViewSitePrintSupport> PrintSupportOf(IUnknown* site) {
  ComPtr<IViewSitePrintSupport> support;
  if (site)
    site->QueryInterface(IID_IViewSitePrintSupport, reinterpret_cast<void**>(support.Out()));
  return support;
}

}  // namespace

QOR::String LocalizedPrintCommand(const QOR::String& text, LANGID language) {
  static const QOR::String kPrint(OWL::TModule::Default().LoadString(IDS_VIEW_PRINT_WORD).c_str());
  static const QOR::String kImprimir(
      OWL::TModule::Default().LoadString(IDS_VIEW_PRINT_WORD_SPANISH).c_str());
  if (PRIMARYLANGID(language) != LANG_SPANISH) return text;
  const size_t length = wcslen(kPrint.GetText());
  if (length == 0) return text;
  if (wcsncmp(text.GetText(), kPrint.GetText(), length) != 0) return text;
  QOR::String result(kImprimir);
  result += text.GetText() + length;
  return result;
}

LUMO_DEFINE_EVENT_TABLE(ViewBase, LumoEventHandlerBase){
    EventTableHead(),
    CommandStateEntry(&HostFixedId<kCopyCommandId>, &ViewBase::OnCopyState),
    CommandStateEntry(&HostFixedId<kPrintCommandId>, &ViewBase::OnPrintState),
    CommandStateEntry(&HostFixedId<kQuickPrintCommandId>, &ViewBase::OnQuickPrintState),
    MessageEntry(&HostFixedId<kSitePrintMessageId>, kMessageMaskWholeId, &ViewBase::OnSitePrint),
    EventTableEnd(),
};

DEFINE_RESPONSE_TABLE1(ViewBase, OWL::TWindow)
  EV_MESSAGE(WM_NCHITTEST, EvNCHitTest),
END_RESPONSE_TABLE;

ViewBase::ViewBase(OWL::TWindow* parent, IDocViewClass* viewClass, IDocView2* view,
                   IUnknown* owner, OWL::TModule* module)
    : OWL::TWindow(parent, nullptr, module), mModule(module), mOwner(owner), mView(view) {
  InitLock();
  Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (parent && parent->GetHandle()) {
    const OWL::TRect client = parent->GetClientRect();
    Attr.W = client.right - client.left;
    Attr.H = client.bottom - client.top;
  }
  BSTR name = nullptr;
  if (viewClass && SUCCEEDED(viewClass->GetNameBstr(&name)))
    mViewName = QOR::String::AttachBSTR(name);
  Title = mViewName.GetText();
  if (ComPtr<IViewSitePrintSupport> support = PrintSupportOf(owner)) {
    ComPtr<IUnknown> document;
    if (SUCCEEDED(support->GetHostDocument(document.Out()))) mHostDocument = document.Get();
  }
}

ViewBase::~ViewBase() = default;

bool ViewBase::CanPrint() {
  ComPtr<IViewSitePrintSupport> support = PrintSupportOf(mOwner);
  uint16_t can = 0;
  return support && SUCCEEDED(support->CanPrint(&can)) && can != 0;
}

void ViewBase::OnCopyState(ICommandState*& state) {
  state->SetText(GetCopyCommandName().GetText());
  state->SetEnabled(CanCopy() ? VARIANT_TRUE : VARIANT_FALSE);
}

void ViewBase::OnPrintState(ICommandState*& state) {
  LANGID language = 0;
  ComPtr<IHostLanguage> host;
  if (IHostApplication* application = GetHostApplication())
    application->QueryInterface(IID_IHostLanguage, reinterpret_cast<void**>(host.Out()));
  uint16_t word = 0;
  if (host && SUCCEEDED(host->GetLanguage(&word))) language = word;
  state->SetText(LocalizedPrintCommand(GetPrintCommandName(), language).GetText());
  state->SetEnabled(CanPrint() ? VARIANT_TRUE : VARIANT_FALSE);
}

void ViewBase::OnQuickPrintState(ICommandState*& state) {
  state->SetEnabled(CanQuickPrint() ? VARIANT_TRUE : VARIANT_FALSE);
}

int ViewBase::OnSitePrint() {
  if (ComPtr<IViewSitePrintSupport> support = PrintSupportOf(mOwner))
    support->Print();  // the host reports its own failures
  return 1;
}

int ViewBase::GripSize() noexcept {
  return std::max(GetSystemMetrics(SM_CXHSCROLL), GetSystemMetrics(SM_CYVSCROLL));
}

bool ViewBase::FrameMaximised() const noexcept {
  const HWND parent = ::GetParent(GetHandle());
  const HWND frame = parent ? ::GetParent(parent) : nullptr;
  return frame && IsZoomed(frame);
}

void ViewBase::PaintGrip(HDC dc, const RECT& client) const {
  const int m = GripSize();
  RECT square{client.right - m, client.bottom - m, client.right, client.bottom};
  if (FrameMaximised())
    FillRect(dc, &square, GetSysColorBrush(COLOR_BTNFACE));
  else
    DrawFrameControl(dc, &square, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

void ViewBase::Paint(OWL::TDC& dc, bool erase, OWL::TRect& rect) {
  if (mGrip) PaintGrip(dc.GetHDC(), GetClientRect());
  OWL::TWindow::Paint(dc, erase, rect);
}

LRESULT ViewBase::EvNCHitTest(WPARAM, LPARAM lParam) {
  if (!FrameMaximised()) {
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ::ScreenToClient(GetHandle(), &point);
    const OWL::TRect client = GetClientRect();
    const int m = GripSize();
    if (point.x >= client.right - m && point.x < client.right && point.y >= client.bottom - m &&
        point.y < client.bottom)
      return HTBOTTOMRIGHT;
  }
  return DefaultProcessing();
}
