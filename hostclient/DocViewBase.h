// DocViewBase: the IDocView2 side of a view: its class and owner, two host words, and the
// proxy event handler through which host commands and messages reach the view's window.
#pragma once

#include "hostapi/DocView.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/ComPtr.h"
#include "hostclient/LumoProxyEventHandler.h"

// IUnknown is left to the concrete view. The view class counts the view as long as it lives.
class DocViewBase : public IDocView2,
                    public LumoProxyEventHandlerBase,
                    public QOR::CComObjectRoot {
 public:
  // Answers S_FALSE: a plain view has no name.
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) noexcept override;
  // The owner's say; S_OK.
  HRESULT STDMETHODCALLTYPE QueryClose(uint16_t* mayClose) noexcept override;
  // Tells the owner and lets it go.
  HRESULT STDMETHODCALLTYPE Detach() noexcept override;
  HRESULT STDMETHODCALLTYPE SetWordA(uint32_t word) noexcept override;
  HRESULT STDMETHODCALLTYPE GetWordA(uint32_t* word) noexcept override;
  HRESULT STDMETHODCALLTYPE GetViewRecord(uint32_t record[2]) noexcept override;
  HRESULT STDMETHODCALLTYPE Activate() noexcept override;
  HRESULT STDMETHODCALLTYPE GetViewClass(IDocViewClass** viewClass) noexcept override;
  HRESULT STDMETHODCALLTYPE GetOwner(IUnknown** owner) noexcept override;
  HRESULT STDMETHODCALLTYPE GetReserved12(IUnknown** object) noexcept override;
  HRESULT STDMETHODCALLTYPE GetWordB(uint32_t* word) noexcept override;
  HRESULT STDMETHODCALLTYPE SetWordB(uint32_t word) noexcept override;

  IDocViewClass* ViewClass() const noexcept { return mViewClass.Get(); }
  IUnknown* Owner() const noexcept { return mOwner.Get(); }

 protected:
  DocViewBase(IDocViewClass* viewClass, IUnknown* owner) noexcept;
  ~DocViewBase() override;

  // The owner's view-owner part (one reference), or null.
  ComPtr<IViewOwner> OwnerPart() const noexcept;

 private:
  uint32_t mWordA = 0;
  uint32_t mWordB = 0;
  ComPtr<IDocViewClass> mViewClass;
  ComPtr<IUnknown> mOwner;
};
