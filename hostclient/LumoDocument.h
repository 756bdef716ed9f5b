// LumoDocument: the framework document base: ICustomDocument2 for the host, an event handler
// over the document's tables, and the framework's companion for what the document leaves.
#pragma once

#include "base/String.h"
#include "hostapi/ChildDocumentList.h"
#include "hostapi/CustomDocument.h"
#include "hostapi/FrameworkSubject.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/ComPtr.h"
#include "hostclient/LumoEventHandler.h"

// Interface requests, messages and observer events the document does not take itself go to
// the companion the framework's document service made for it. The document starts with a
// count of 0; whoever creates it hands it out with the first reference.
class LumoDocument : public ICustomDocument2, public LumoEventHandler, public QOR::CComObjectRoot {
 public:
  QOR_BEGIN_INTERFACE_MAP(LumoDocument)
  QOR_INTERFACE_ENTRY(ICustomDocument2, IID_ICustomDocument)
  QOR_INTERFACE_ENTRY(ICustomDocument2, IID_ICustomDocument2)
  QOR_INTERFACE_ENTRY(IMessageHandler, IID_IMessageHandler)
  QOR_INTERFACE_ENTRY(ILumoCommandHandler, IID_ILumoCommandHandler)
  QOR_INTERFACE_ENTRY(IObserver, IID_IObserver)
  QOR_INTERFACE_ROUTINE(IID_IRefusedByDocuments, &RefuseInterface, 0)
  QOR_BLIND_ROUTINE(&AskCompanion, 0)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_HEAP()

  // ICustomDocument2
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) noexcept override;
  HRESULT STDMETHODCALLTYPE GetFlag(uint16_t* value) noexcept override;
  HRESULT STDMETHODCALLTYPE Detach() noexcept override;
  HRESULT STDMETHODCALLTYPE GetReserved6(IUnknown** object) noexcept override;
  HRESULT STDMETHODCALLTYPE GetCreationFlags(uint32_t* flags) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDocumentInfo(IUnknown** info) noexcept override;
  HRESULT STDMETHODCALLTYPE GetPersistObject(uint32_t request, uint32_t kind, IUnknown** reserved,
                                             IUnknown** object) noexcept override;
  HRESULT STDMETHODCALLTYPE SetText(const wchar_t* text) noexcept override;
  HRESULT STDMETHODCALLTYPE GetText(QOR::IQORString** text) noexcept override;
  HRESULT STDMETHODCALLTYPE GetUserWord(uint32_t* word) noexcept override;
  HRESULT STDMETHODCALLTYPE SetUserWord(uint32_t word) noexcept override;
  HRESULT STDMETHODCALLTYPE OnDataAttached() noexcept override;
  HRESULT STDMETHODCALLTYPE Notice15(uintptr_t, uintptr_t, uintptr_t, uintptr_t,
                                     uintptr_t) noexcept override;
  HRESULT STDMETHODCALLTYPE Notice16() noexcept override;
  HRESULT STDMETHODCALLTYPE Notice17() noexcept override;

  // The table (wanted messages), then the sub-handlers, then the companion's answer.
  int32_t STDMETHODCALLTYPE HandleMessage(IMessage* message) noexcept override;
  // The companion first, then the document's own tables.
  HRESULT STDMETHODCALLTYPE RegisterWith(IObserverSubscription* subscription) noexcept override;
  HRESULT STDMETHODCALLTYPE Notify(uint32_t first, uint32_t eventId, uint32_t third,
                                   const void* data) noexcept override;

  // Hands (id, data) to the host site through the companion's ISubject; E_FAIL without one.
  HRESULT ForwardToSite(uint32_t id, IUnknown* data);
  // The frame interface of the document's site (fetched once; null when there is none).
  IUnknown* GetFrameInterface();
  const QOR::String& Name() const noexcept { return mName; }
  IUnknown* Companion() const noexcept { return mCompanion.Get(); }
  // The class object that made the document.
  IUnknown* ClassObject() const noexcept { return mClassObject.Get(); }

  // For a derived document's own interface map: everything this base answers.
  static HRESULT QueryBase(LumoDocument* self, REFIID iid, void** out) noexcept;

 protected:
  // hostObject and classObject may be null; flags are the host's creation flags.
  LumoDocument(IUnknown* hostObject, IUnknown* classObject, uint32_t flags);
  ~LumoDocument() override;
  void SetName(const QOR::String& name) { mName = name; }

 private:
  static HRESULT RefuseInterface(void*, REFIID, void** out, std::uintptr_t) noexcept;
  static HRESULT AskCompanion(void* object, REFIID iid, void** out, std::uintptr_t) noexcept;
  void MakeCompanion(IUnknown* hostObject);
  // The companion's interface iid, asked for once and kept without a reference.
  template <class I>
  I* CompanionPart(I*& cache, const IID& iid) noexcept;

  ComPtr<IUnknown> mCompanion;
  uint32_t mFlags;
  uint32_t mUserWord = 0;
  QOR::String mText;
  QOR::String mName;
  IMessageHandler* mCompanionHandler = nullptr;
  IObserver* mCompanionObserver = nullptr;
  ISubject* mCompanionSubject = nullptr;
  IHostChildDocumentList* mCompanionFrameSource = nullptr;
  IUnknown* mDocumentInfo = nullptr;
  ComPtr<IUnknown> mFrame;
  IHostChildDocumentList* mHostObjectView = nullptr;
  ComPtr<IUnknown> mClassObject;
  ComPtr<IUnknown> mClassLink;
};
