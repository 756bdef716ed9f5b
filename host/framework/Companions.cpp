// The framework's companions: the default document, document class and view class that a
// module's objects pair with, and the services that make them.
#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "host/common/ObserverSet.h"
#include "host/common/ReservedSlots.h"
#include "host/framework/FrameworkRecords.h"
#include "host/framework/ServiceTable.h"
#include "host/framework/StaticService.h"
#include "hostapi/ChildDocumentList.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/CustomDocument.h"
#include "hostapi/DocView.h"
#include "hostapi/FrameworkSubject.h"
#include "hostapi/MessageHandler.h"

namespace lumo {

IUnknown* HostApplicationObject() noexcept;

namespace {

// The part every companion shares: its record and the commands it does not take.
class CompanionRecordPart : public IHostCompanionRecord, public ILumoCommandHandler {
 public:
  HRESULT STDMETHODCALLTYPE GetRecord(HostCompanionRecord* record) noexcept override {
    if (!record) return E_POINTER;
    *record = mRecord;
    return S_OK;
  }
  // The framework's default objects run no module command: S_FALSE leaves it to the object.
  HRESULT STDMETHODCALLTYPE Execute(uint32_t id) noexcept override { return Command(id); }
  HRESULT STDMETHODCALLTYPE QueryState(uint32_t id, ICommandState*) noexcept override {
    return Command(id);
  }
  HRESULT STDMETHODCALLTYPE ExecuteWithArgs(uint32_t id, uint32_t, uintptr_t,
                                            uintptr_t) noexcept override {
    return Command(id);
  }

 protected:
  HostCompanionRecord mRecord{};

 private:
  HRESULT Command(uint32_t id) noexcept {
    ++mRecord.commands;
    mRecord.lastCommandId = id;
    return S_FALSE;
  }
};

// A document's companion: the framework's default handling of what the document leaves, and
// the way to its site and frame. It holds the host object, never the document.
class DocumentCompanion final
    : public host::HostObject<IMessageHandler, IObserver, ISubject, IHostChildDocumentList>,
      public CompanionRecordPart {
 public:
  explicit DocumentCompanion(IUnknown* hostObject) : mHostObject(hostObject) {}

  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return HostObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return HostObject::Release(); }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    return HostObject::QueryInterface(iid, out);
  }

  // What the document leaves goes on to the host object it belongs to, when that handles messages.
  int32_t STDMETHODCALLTYPE HandleMessage(IMessage* message) noexcept override {
    ++mRecord.messages;
    if (message) message->GetId(&mRecord.lastMessageId);
    if (message) message->GetData(&mRecord.lastMessageData[0], &mRecord.lastMessageData[1]);
    auto handler = mHostObject.As<IMessageHandler>(IID_IMessageHandler);
    return handler ? handler->HandleMessage(message) : kMessageNotConsumed;
  }
  HRESULT STDMETHODCALLTYPE AddHandler(IMessageHandler*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RemoveHandler(IMessageHandler*) noexcept override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE SetParent(IMessageHandler*) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetSenderIdentity(IUnknown** identity) noexcept override {
    return QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity));
  }
  int32_t STDMETHODCALLTYPE WantsMessage(IMessage*) noexcept override { return 1; }

  HRESULT STDMETHODCALLTYPE RegisterWith(IObserverSubscription*) noexcept override {
    ++mRecord.registrations;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Notify(uint32_t, uint32_t eventId, uint32_t,
                                   const void*) noexcept override {
    ++mRecord.notifications;
    mRecord.lastEventId = eventId;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Announce(uint32_t id, IUnknown*) noexcept override {
    ++mRecord.siteRecords;
    mRecord.lastSiteId = id;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Attach(IObserver* observer) noexcept override { return mObservers.Attach(observer); }
  HRESULT STDMETHODCALLTYPE Detach(IObserver* observer) noexcept override { return mObservers.Detach(observer); }

  HOST_CHILD_LIST_RESERVED_SLOTS
  // A document's frame is the host application's main window.
  HRESULT STDMETHODCALLTYPE GetFrameInterface(IUnknown** frame) noexcept override {
    if (!frame) return E_POINTER;
    *frame = HostApplicationObject();
    (*frame)->AddRef();
    return S_OK;
  }
  // The documents beside the same host object.
  HRESULT STDMETHODCALLTYPE GetChildObject(uint32_t typeId, int32_t index,
                                           IUnknown** child) noexcept override {
    if (!child) return E_POINTER;
    *child = nullptr;
    auto list = mHostObject.As<IHostChildDocumentList>(IID_IHostChildDocumentList);
    return list ? list->GetChildObject(typeId, index, child) : E_FAIL;
  }

 private:
  ~DocumentCompanion() override = default;
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IMessageHandler) return static_cast<IMessageHandler*>(this);
    if (iid == IID_IObserver) return static_cast<IObserver*>(this);
    if (iid == IID_ISubject) return static_cast<ISubject*>(this);
    if (iid == IID_IHostChildDocumentList) return static_cast<IHostChildDocumentList*>(this);
    if (iid == IID_IHostCompanionRecord) return static_cast<IHostCompanionRecord*>(this);
    if (iid == IID_ILumoCommandHandler) return static_cast<ILumoCommandHandler*>(this);
    return nullptr;
  }

  host::HostPtr<IUnknown> mHostObject;
  host::ObserverSet mObservers;
};

// A class object's companion (documents' and views' classes alike). It never holds the class.
class ClassCompanion final : public host::HostObject<IViewClassCompanion>,
                             public CompanionRecordPart {
 public:
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return HostObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return HostObject::Release(); }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    return HostObject::QueryInterface(iid, out);
  }

  HRESULT STDMETHODCALLTYPE ViewActivated(IUnknown*) noexcept override {
    ++mRecord.activations;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reserved4() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ClassInitialised() noexcept override {
    ++mRecord.initialisations;
    return S_OK;
  }

 private:
  ~ClassCompanion() override = default;
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IViewClassCompanion || iid == IID_IClassObjectLink)
      return static_cast<IViewClassCompanion*>(this);
    if (iid == IID_IHostCompanionRecord) return static_cast<IHostCompanionRecord*>(this);
    if (iid == IID_ILumoCommandHandler) return static_cast<ILumoCommandHandler*>(this);
    return nullptr;
  }
};

template <class Made>
HRESULT HandOut(Made* made, REFIID iid, void** out) noexcept {
  const HRESULT hr = made->QueryInterface(iid, out);
  made->Release();
  return hr;
}

class DocumentService final : public StaticService<IDocumentService, IID_IDocumentService> {
 public:
  HOST_SERVICE_RESERVED_SLOTS
  HRESULT STDMETHODCALLTYPE CreateCompanion(IUnknown*, IUnknown* hostObject, IUnknown*, uint32_t,
                                            IUnknown** companion) noexcept override {
    if (!companion) return E_POINTER;
    *companion = nullptr;
    try {
      return HandOut(new DocumentCompanion(hostObject), IID_IUnknown,
                     reinterpret_cast<void**>(companion));
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
};

class DocumentClassService final
    : public StaticService<IDocumentClassService, IID_IDocumentClassService> {
 public:
  HOST_SERVICE_RESERVED_SLOTS
  HRESULT STDMETHODCALLTYPE CreateCompanion(IUnknown** companion, IUnknown*,
                                            uint32_t) noexcept override {
    if (!companion) return E_POINTER;
    *companion = nullptr;
    try {
      return HandOut(new ClassCompanion(), IID_IUnknown, reinterpret_cast<void**>(companion));
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
};

class GenericClassService final
    : public StaticService<IGenericClassObject, IID_IGenericClassObject> {
 public:
  HOST_SERVICE_RESERVED_SLOTS
  HRESULT STDMETHODCALLTYPE CreateCompanion(IUnknown*, REFIID iid,
                                            void** companion) noexcept override {
    if (!companion) return E_POINTER;
    *companion = nullptr;
    try {
      return HandOut(new ClassCompanion(), iid, companion);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
};

DocumentService gDocumentService;
ServiceRegistration gDocumentServiceEntry(IID_IDocumentService, kDocumentServiceId,
                                          &gDocumentService);
DocumentClassService gDocumentClassService;
ServiceRegistration gDocumentClassServiceEntry(IID_IDocumentClassService,
                                               kDocumentClassServiceId, &gDocumentClassService);
GenericClassService gGenericClassService;
ServiceRegistration gGenericClassServiceEntry(IID_IGenericClassObject, kGenericClassServiceId,
                                              &gGenericClassService);

}  // namespace

}  // namespace lumo
