// DocViewBase: the host's view slots over the view class and the owner.
#include "hostclient/DocViewBase.h"

DocViewBase::DocViewBase(IDocViewClass* viewClass, IUnknown* owner) noexcept
    : mViewClass(viewClass), mOwner(owner) {
  if (mViewClass) mViewClass->LockClass();
}

DocViewBase::~DocViewBase() {
  if (mViewClass) mViewClass->UnlockClass();
  mOwner.Reset();
  mViewClass.Reset();
}

ComPtr<IViewOwner> DocViewBase::OwnerPart() const noexcept {
  ComPtr<IViewOwner> owner;
  if (mOwner) mOwner->QueryInterface(IID_IViewOwner, owner.OutVoid());
  return owner;
}

HRESULT STDMETHODCALLTYPE DocViewBase::GetNameBstr(BSTR*) noexcept { return S_FALSE; }

HRESULT STDMETHODCALLTYPE DocViewBase::QueryClose(uint16_t* mayClose) noexcept {
  if (!mayClose) return E_POINTER;
  if (auto owner = OwnerPart()) owner->QueryViewClose(this, mayClose);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DocViewBase::Detach() noexcept {
  if (auto owner = OwnerPart()) owner->OnViewDetached(this);
  mOwner.Reset();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DocViewBase::SetWordA(uint32_t word) noexcept {
  mWordA = word;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DocViewBase::GetWordA(uint32_t* word) noexcept {
  if (!word) return E_POINTER;
  *word = mWordA;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DocViewBase::GetViewRecord(uint32_t record[2]) noexcept {
  if (!record) return E_POINTER;
  record[0] = 0;
  if (mViewClass) mViewClass->GetTypeId(&record[0]);
  record[1] = (mWordB << 16) | mWordA;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DocViewBase::Activate() noexcept {
  ComPtr<IViewClassCompanion> companion;
  if (mViewClass) mViewClass->QueryInterface(IID_IViewClassCompanion, companion.OutVoid());
  if (companion) companion->ViewActivated(static_cast<IDocView2*>(this));
  if (auto owner = OwnerPart()) owner->OnViewActivated(this);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DocViewBase::GetViewClass(IDocViewClass** viewClass) noexcept {
  if (!viewClass) return E_POINTER;
  mViewClass.CopyTo(viewClass);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DocViewBase::GetOwner(IUnknown** owner) noexcept {
  if (!owner) return E_POINTER;
  mOwner.CopyTo(owner);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DocViewBase::GetReserved12(IUnknown** object) noexcept {
  if (object) *object = nullptr;
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE DocViewBase::GetWordB(uint32_t* word) noexcept {
  if (!word) return E_POINTER;
  *word = mWordB;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DocViewBase::SetWordB(uint32_t word) noexcept {
  mWordB = word;
  return S_OK;
}
