// LumoPrintout: the printout handed to the host's print service; derived classes say how many
// pages there are and draw each.
#pragma once

#include "base/String.h"
#include "hostapi/ViewPrinting.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/ComPtr.h"
#include "platform/owl/TRect.h"

#include <memory>

namespace OWL {
class TDC;
}

// Starts with a count of 0; whoever creates it hands it out with the first reference.
class LumoPrintout : public ILumoPrintoutEx, public QOR::CComObjectRoot {
 public:
  QOR_BEGIN_INTERFACE_MAP(LumoPrintout)
  QOR_INTERFACE_ENTRY(ILumoPrintoutEx, IID_ILumoPrintout)
  QOR_INTERFACE_ENTRY(ILumoPrintoutEx, IID_ILumoPrintoutEx)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_HEAP()

  HRESULT STDMETHODCALLTYPE GetPageRangeMode(int32_t* mode) noexcept override;
  HRESULT STDMETHODCALLTYPE GetTitle(BSTR* title) noexcept override;
  HRESULT STDMETHODCALLTYPE BeginPrinting(HDC drawing, HDC printer,
                                          const RECT* page) noexcept override;
  HRESULT STDMETHODCALLTYPE GetPageCount(int32_t* count) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved7() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Reserved8() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE IsPastEnd(int32_t page, VARIANT_BOOL* past) noexcept override;
  HRESULT STDMETHODCALLTYPE PrintPage(int32_t page) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved11() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Reserved13() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetOwner(IUnknown** owner) noexcept override;

 protected:
  // owner is kept with a reference and may be null.
  LumoPrintout(IUnknown* owner, const QOR::String& title);
  ~LumoPrintout() override;

  // Draws page (1-based) into dc over page, in dc's logical units; printer is the printer's DC
  // or null.
  virtual void DrawPage(int32_t page, OWL::TDC& dc, OWL::TDC* printer, const OWL::TRect& rect) = 0;
  virtual int32_t CountPages() = 0;
  // Between BeginPrinting and the end: the DC pages are drawn into, the printer's DC (null when
  // the pages go to a plain DC) and the page rectangle given to BeginPrinting.
  OWL::TDC* DrawingDC() const noexcept { return mDrawing.get(); }
  OWL::TDC* PrinterDC() const noexcept { return mPrinter.get(); }
  const OWL::TRect& PageRect() const noexcept { return mPage; }

 private:
  bool mBegun = false;
  OWL::TRect mPage;
  // Declared so that the drawing DC (which may preview over the other two) goes first.
  std::unique_ptr<OWL::TDC> mPrinter;
  std::unique_ptr<OWL::TDC> mTarget;
  std::unique_ptr<OWL::TDC> mDrawing;
  QOR::String mTitle;
  int32_t mPageRangeMode = 3;
  int32_t mPageCount = 0;
  ComPtr<IUnknown> mOwner;
};
