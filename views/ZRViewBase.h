// ZRViewBase: the window of one of the module's document views: it finds the analysis
// document it shows, and prints, previews and copies itself by rendering into a DC.
#pragma once

#include "document/DocumentView.h"
#include "views/ViewBase.h"

namespace ZR::Doc {
class ZRDoc;
}

namespace OWL {
class TDC;
}

class ZRViewBase : public ViewBase, public ZR::Doc::DocumentView {
 public:
  // Rebuilds what the view shows from its document.
  void Refresh() override;
  // The title of the view's printouts; the view's name unless the view says more.
  virtual QOR::String GetCaption() { return ViewName(); }
  // Draws the whole view into dc over rect (dc's logical units); printer is the printer's or
  // the metafile's reference DC, or null.
  // A view that shows nothing printable draws nothing.
  virtual void Render(OWL::TDC& dc, OWL::TDC* printer, const OWL::TRect& rect);
  // Called with the clipboard open, before the picture is put there.
  virtual void AddClipboardFormats() {}
  // Puts the view's picture on the open clipboard: an enhanced metafile of the window's
  // physical size at the reference device's resolution, and a Windows metafile of it.
  virtual void CopyAsMetafile();

  // The document's view slot this view fills (0 the Analysis View, 1 the Table View), or -1.
  int DocumentSlot() const noexcept override { return -1; }
  // Selects the row of an event (the Table View); other views ignore it.
  void SelectEventRow(uint32_t) override {}
  // Without a window, invalidating would mean every window.
  void InvalidateWindow() override {
    if (GetHandle()) Invalidate(true);
  }
  // The analysis document shown (referenced), or null when the host document is not one.
  ZR::Doc::ZRDoc* Document() const noexcept { return mDocument; }

  LUMO_DECLARE_EVENT_TABLE();

 protected:
  ZRViewBase(OWL::TWindow* parent, IDocViewClass* viewClass, IDocView2* view, IUnknown* owner,
             OWL::TModule* module);
  ~ZRViewBase() override;

 private:
  void OnQuickPrintState(ICommandState*& state);
  int OnPrint();
  int OnPrintPreview();
  int OnCopy();
  void HandToPrintService(bool preview);

  ZR::Doc::ZRDoc* mDocument = nullptr;
};
