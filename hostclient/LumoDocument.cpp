// LumoDocument: the host's document slots, the companion made at construction and the routing
// of what the document does not take itself.
#include "hostclient/LumoDocument.h"

#include "hostclient/BstrSlot.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/FrameworkAccess.h"

LumoDocument::LumoDocument(IUnknown* hostObject, IUnknown* classObject, uint32_t flags)
    : mFlags(flags) {
  if (hostObject) {
    // Kept without a reference: the host object outlives its documents.
    hostObject->QueryInterface(IID_IHostChildDocumentList,
                               reinterpret_cast<void**>(&mHostObjectView));
    if (mHostObjectView) mHostObjectView->Release();
  }
  mClassObject = ComPtr<IUnknown>(classObject);
  if (classObject) classObject->QueryInterface(IID_IClassObjectLink, mClassLink.OutVoid());
  // The service may take and drop references on the document: the temporary one keeps the
  // count from reaching zero while the companion is made.
  InternalAddRef();
  MakeCompanion(hostObject);
  InternalReleaseStatic();
}

LumoDocument::~LumoDocument() = default;

void LumoDocument::MakeCompanion(IUnknown* hostObject) {
  IClassRegistry* const framework = ObjectFactoryAccessor::Get();
  if (!framework) return;
  ComPtr<IDocumentService> service;
  framework->GetClassObject(kDocumentServiceId, IID_IDocumentService, service.OutVoid());
  if (!service) return;
  mCompanion.Reset();
  const uint32_t flag = (mFlags & kDocumentFlagCompanionBit) ? 1u : 0u;
  service->CreateCompanion(mClassObject.Get(), hostObject, static_cast<ICustomDocument2*>(this),
                           flag, mCompanion.Out());  // a missing companion leaves it null
}

template <class I>
I* LumoDocument::CompanionPart(I*& cache, const IID& iid) noexcept {
  if (cache || !mCompanion) return cache;
  // The companion lives as long as the document holds it: no reference is kept.
  if (SUCCEEDED(mCompanion->QueryInterface(iid, reinterpret_cast<void**>(&cache))) && cache)
    cache->Release();
  return cache;
}

HRESULT LumoDocument::RefuseInterface(void*, REFIID, void** out, std::uintptr_t) noexcept {
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT LumoDocument::AskCompanion(void* object, REFIID iid, void** out, std::uintptr_t) noexcept {
  auto* const self = static_cast<LumoDocument*>(object);
  if (!self->mCompanion) return E_NOINTERFACE;
  return self->mCompanion->QueryInterface(iid, out);
}

HRESULT LumoDocument::QueryBase(LumoDocument* self, REFIID iid, void** out) noexcept {
  return QOR::QueryInterfaceByMap(static_cast<void*>(self), GetInterfaceMap(), iid, out);
}

HRESULT STDMETHODCALLTYPE LumoDocument::GetNameBstr(BSTR* name) noexcept {
  return QOR::StoreBstr(name, mName.GetText());
}

HRESULT STDMETHODCALLTYPE LumoDocument::GetFlag(uint16_t* value) noexcept {
  if (!value) return E_POINTER;
  *value = 0xFFFF;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LumoDocument::Detach() noexcept {
  DetachSender();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LumoDocument::GetReserved6(IUnknown** object) noexcept {
  if (object) *object = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE LumoDocument::GetCreationFlags(uint32_t* flags) noexcept {
  if (!flags) return E_POINTER;
  *flags = mFlags;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LumoDocument::GetDocumentInfo(IUnknown** info) noexcept {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (!mDocumentInfo && mHostObjectView &&
      SUCCEEDED(mHostObjectView->QueryInterface(IID_IHostDocumentInfo,
                                                reinterpret_cast<void**>(&mDocumentInfo))) &&
      mDocumentInfo)
    mDocumentInfo->Release();
  if (mDocumentInfo) {
    mDocumentInfo->AddRef();
    *info = mDocumentInfo;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LumoDocument::GetPersistObject(uint32_t, uint32_t, IUnknown** reserved,
                                                         IUnknown** object) noexcept {
  if (reserved) *reserved = nullptr;
  if (object) *object = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE LumoDocument::SetText(const wchar_t* text) noexcept {
  return ComTry([&] { mText = QOR::String(text ? text : L""); });
}

HRESULT STDMETHODCALLTYPE LumoDocument::GetText(QOR::IQORString** text) noexcept {
  if (!text) return E_POINTER;
  *text = mText.AddRefInterface();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LumoDocument::GetUserWord(uint32_t* word) noexcept {
  if (!word) return E_POINTER;
  *word = mUserWord;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LumoDocument::SetUserWord(uint32_t word) noexcept {
  mUserWord = word;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LumoDocument::OnDataAttached() noexcept { return S_OK; }

HRESULT STDMETHODCALLTYPE LumoDocument::Notice15(uintptr_t, uintptr_t, uintptr_t, uintptr_t,
                                                 uintptr_t) noexcept {
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LumoDocument::Notice16() noexcept { return S_OK; }

HRESULT STDMETHODCALLTYPE LumoDocument::Notice17() noexcept { return S_OK; }

int32_t STDMETHODCALLTYPE LumoDocument::HandleMessage(IMessage* message) noexcept {
  if (WantsMessage(message)) {
    const HRESULT consumed = ComTry([&]() -> HRESULT {
      return LumoEventHandlerBase::HandleMessage(message) == kMessageConsumed ? S_OK : S_FALSE;
    });
    if (consumed == S_OK || OfferToSubHandlers(message) == kMessageConsumed)
      return kMessageConsumed;
  }
  IMessageHandler* const companion = CompanionPart(mCompanionHandler, IID_IMessageHandler);
  return companion ? companion->HandleMessage(message) : kMessageNotConsumed;
}

HRESULT STDMETHODCALLTYPE LumoDocument::RegisterWith(IObserverSubscription* subscription) noexcept {
  if (IObserver* const companion = CompanionPart(mCompanionObserver, IID_IObserver))
    companion->RegisterWith(subscription);  // its answer does not change the document's
  return ComTry([&] {
    RegisterObserverEvents(subscription, static_cast<IObserver*>(this));
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE LumoDocument::Notify(uint32_t first, uint32_t eventId, uint32_t third,
                                               const void* data) noexcept {
  if (IObserver* const companion = CompanionPart(mCompanionObserver, IID_IObserver))
    companion->Notify(first, eventId, third, data);  // the document's own entry runs as well
  return ComTry([&] {
    NotifyObserverEvent(eventId, data);
    return S_OK;
  });
}

HRESULT LumoDocument::ForwardToSite(uint32_t id, IUnknown* data) {
  ISubject* const subject = CompanionPart(mCompanionSubject, IID_ISubject);
  return subject ? subject->Announce(id, data) : E_FAIL;
}

IUnknown* LumoDocument::GetFrameInterface() {
  if (mFrame) return mFrame.Get();
  if (IHostChildDocumentList* const source =
          CompanionPart(mCompanionFrameSource, IID_IHostChildDocumentList))
    source->GetFrameInterface(mFrame.Out());
  return mFrame.Get();
}
