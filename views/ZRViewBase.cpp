// ZRViewBase: its document, printing and preview through the host, and the picture copy.
#include "views/ZRViewBase.h"

#include "document/ZRDoc.h"
#include "hostapi/ViewPrinting.h"
#include "hostclient/COMClassObjectAccessor.h"
#include "hostclient/EventTableEntries.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TScreenDC.h"
#include "platform/uihelpers/DCUnits.h"
#include "platform/uihelpers/PrintHelpers.h"
#include "views/ZRPrintout.h"

#include <memory>

namespace {

IHostCopyService* GetCopyHostService() noexcept {
  return QOR::COMClassObjectAccessor<IHostCopyService, CLSID_HostCopyService,
                                     IID_IHostCopyService>::Get();
}

// The print service of the frame the document's site gives (null when there is none).
ComPtr<IHostPrintService> PrintServiceOf(ZR::Doc::ZRDoc* document) {
  ComPtr<IHostPrintService> service;
  IUnknown* const frame = document ? document->GetFrameInterface() : nullptr;
  ComPtr<IHostPrintFrame> printFrame;
  if (!frame ||
      FAILED(frame->QueryInterface(IID_IHostPrintFrame, reinterpret_cast<void**>(printFrame.Out()))))
    return service;
  printFrame->GetPrintService(service.Out());
  return service;
}

// Closes the clipboard however the copy ends.
struct ClipboardCloser {
  ~ClipboardCloser() { CloseClipboard(); }
};

}  // namespace

LUMO_DEFINE_EVENT_TABLE(ZRViewBase, ViewBase){
    EventTableHead(),
    CommandStateEntry(&HostFixedId<kQuickPrintCommandId>, &ZRViewBase::OnQuickPrintState),
    MessageEntry(&HostFixedId<kPrintMessageId>, kMessageMaskWholeId, &ZRViewBase::OnPrint),
    MessageEntry(&HostFixedId<kPrintPreviewMessageId>, kMessageMaskWholeId,
                 &ZRViewBase::OnPrintPreview),
    MessageEntry(&HostFixedId<kCopyMessageId>, kMessageMaskWholeId, &ZRViewBase::OnCopy),
    EventTableEnd(),
};

ZRViewBase::ZRViewBase(OWL::TWindow* parent, IDocViewClass* viewClass, IDocView2* view,
                       IUnknown* owner, OWL::TModule* module)
    : ViewBase(parent, viewClass, view, owner, module),
      mDocument(ZR::Doc::ZRDoc::FromHostDocument(HostDocument())) {}

ZRViewBase::~ZRViewBase() {
  if (mDocument) static_cast<ZR::Doc::IZRDocInterface*>(mDocument)->Release();
}

void ZRViewBase::Refresh() { Invalidate(true); }

void ZRViewBase::Render(OWL::TDC&, OWL::TDC*, const OWL::TRect&) {}

void ZRViewBase::OnQuickPrintState(ICommandState*& state) {
  state->SetEnabled(CanPrint() ? VARIANT_TRUE : VARIANT_FALSE);
}

void ZRViewBase::HandToPrintService(bool preview) {
  if (!CanPrint()) return;
  ComPtr<ILumoPrintoutEx> printout = ZRPrintout::Create(*this, GetCaption());
  ComPtr<IHostPrintService> service = PrintServiceOf(mDocument);
  if (!service) return;
  // The print service shows its own failures.
  if (preview)
    service->Preview(printout.Get());
  else
    service->Print(printout.Get(), 1);
}

int ZRViewBase::OnPrint() {
  HandToPrintService(false);
  return 1;
}

int ZRViewBase::OnPrintPreview() {
  HandToPrintService(true);
  return 1;
}

int ZRViewBase::OnCopy() {
  if (IHostCopyService* copy = GetCopyHostService()) copy->BeginCopy(0);
  if (!OpenClipboard(GetHandle())) return 1;
  {
    ClipboardCloser closer;
    // Emptying makes the view the clipboard's owner.
    EmptyClipboard();
    AddClipboardFormats();
    CopyAsMetafile();
  }
  Refresh();
  return 1;
}

void ZRViewBase::CopyAsMetafile() {
  const OWL::TRect client = GetClientRect();
  const int w = client.right - client.left;
  const int h = client.bottom - client.top;
  OWL::TScreenDC screen;
  const int x = w * GetDeviceCaps(screen.GetHDC(), HORZSIZE) * 100 /
                GetDeviceCaps(screen.GetHDC(), HORZRES);
  const int y = h * GetDeviceCaps(screen.GetHDC(), VERTSIZE) * 100 /
                GetDeviceCaps(screen.GetHDC(), VERTRES);
  // Without a usable printer the screen is the reference device.
  std::unique_ptr<OWL::TDC> reference(QOR::GetDefaultPrinterDC());
  if (!reference || !reference->GetHDC()) reference = std::make_unique<OWL::TScreenDC>();
  const RECT frame{0, 0, x, y};
  HDC const metaDc = CreateEnhMetaFileW(reference->GetHDC(), nullptr, &frame, nullptr);
  if (!metaDc) return;
  const OWL::TSize pixels = QOR::HimetricToDevice(*reference, OWL::TSize(x, y));
  HENHMETAFILE enhanced = nullptr;
  {
    OWL::TDC meta(metaDc);
    Render(meta, &meta, OWL::TRect(0, 0, pixels.cx, pixels.cy));
    meta.RestoreObjects();
    enhanced = CloseEnhMetaFile(metaDc);
  }
  if (!enhanced) return;
  ENHMETAHEADER header{};
  GetEnhMetaFileHeader(enhanced, sizeof(header), &header);
  HMETAFILE const metafile = QOR::CopyMetafile(enhanced);
  if (!SetClipboardData(CF_ENHMETAFILE, enhanced)) DeleteEnhMetaFile(enhanced);
  if (!metafile) return;
  HGLOBAL const memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
  auto* picture = memory ? static_cast<METAFILEPICT*>(GlobalLock(memory)) : nullptr;
  if (!picture) {
    if (memory) GlobalFree(memory);
    DeleteMetaFile(metafile);
    return;
  }
  picture->mm = MM_ANISOTROPIC;
  picture->xExt = header.rclFrame.right;
  picture->yExt = header.rclFrame.bottom;
  picture->hMF = metafile;
  GlobalUnlock(memory);
  if (SetClipboardData(CF_METAFILEPICT, memory)) return;
  DeleteMetaFile(metafile);
  GlobalFree(memory);
}
