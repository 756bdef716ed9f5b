// LumoPrintout: the host's printout slots over the derived class's pages.
#include "hostclient/LumoPrintout.h"

#include "hostclient/BstrSlot.h"
#include "hostclient/ComBoundary.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TPrintPreviewDC.h"

LumoPrintout::LumoPrintout(IUnknown* owner, const QOR::String& title)
    : mTitle(title), mOwner(owner) {
  InitLock();
}

LumoPrintout::~LumoPrintout() = default;

HRESULT STDMETHODCALLTYPE LumoPrintout::GetPageRangeMode(int32_t* mode) noexcept {
  if (!mode) return E_POINTER;
  *mode = mPageRangeMode;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LumoPrintout::GetTitle(BSTR* title) noexcept {
  if (!title) return E_POINTER;
  *title = nullptr;
  if (mTitle.GetText()[0] == L'\0') return S_FALSE;
  return QOR::StoreBstr(title, mTitle.GetText());
}

HRESULT STDMETHODCALLTYPE LumoPrintout::BeginPrinting(HDC drawing, HDC printer,
                                                      const RECT* page) noexcept {
  if (!page || !drawing) return E_POINTER;
  return ComTry([&] {
    mPage = OWL::TRect(page->left, page->top, page->right, page->bottom);
    mDrawing.reset();
    mTarget.reset();
    mPrinter.reset();
    if (printer) {
      // The printer DC stays the host's: it is only read through the preview DC.
      mPrinter = std::make_unique<OWL::TDC>(printer);
      mTarget = std::make_unique<OWL::TDC>(drawing);
      mDrawing = std::make_unique<OWL::TPrintPreviewDC>(*mTarget, *mPrinter, mPage, mPage);
    } else {
      mDrawing = std::make_unique<OWL::TDC>(drawing);
    }
    mBegun = true;
  });
}

HRESULT STDMETHODCALLTYPE LumoPrintout::GetPageCount(int32_t* count) noexcept {
  if (!count) return E_POINTER;
  *count = 0;
  return ComTry([&] {
    mPageCount = CountPages();
    *count = mPageCount;
  });
}

HRESULT STDMETHODCALLTYPE LumoPrintout::IsPastEnd(int32_t page, VARIANT_BOOL* past) noexcept {
  if (!past) return E_POINTER;
  *past = page >= mPageCount ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LumoPrintout::PrintPage(int32_t page) noexcept {
  if (!mBegun || !mDrawing) return E_UNEXPECTED;
  return ComTry([&] {
    DrawPage(page, *mDrawing, mPrinter.get(), mPage);
    mDrawing->RestoreObjects();
  });
}

HRESULT STDMETHODCALLTYPE LumoPrintout::GetOwner(IUnknown** owner) noexcept {
  if (!owner) return E_POINTER;
  *owner = mOwner.Get();
  if (*owner) (*owner)->AddRef();
  return S_OK;
}
