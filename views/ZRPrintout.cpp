// ZRPrintout: the view renders itself into the page.
#include "views/ZRPrintout.h"

#include "hostapi/DocView.h"
#include "views/ZRViewBase.h"

ZRPrintout::ZRPrintout(ZRViewBase& view, const QOR::String& title)
    : LumoPrintout(view.View(), title), mView(&view) {}

ComPtr<ILumoPrintoutEx> ZRPrintout::Create(ZRViewBase& view, const QOR::String& title) {
  return ComPtr<ILumoPrintoutEx>(new ZRPrintout(view, title));
}

void ZRPrintout::DrawPage(int32_t, OWL::TDC& dc, OWL::TDC* printer, const OWL::TRect& rect) {
  mView->Render(dc, printer, rect);
}
