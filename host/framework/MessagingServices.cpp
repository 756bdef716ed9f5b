// The framework's message service, router and factory.
#include "host/framework/MessagingServices.h"

#include "host/common/HostPtr.h"
#include "host/framework/ServiceTable.h"
#include "host/framework/StaticService.h"
#include "host/framework/FrameworkMessage.h"
#include "hostapi/MessageHandler.h"

#include <oleauto.h>

#include <vector>

namespace lumo {
namespace {

class MessageService final : public StaticService<IMessageService, IID_IMessageService> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved3() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved4() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved5() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved6() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved7() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CreateMessage(uint32_t id, uint32_t flags, uint32_t argument,
                                          uint32_t hasArgument, uint32_t reserved,
                                          const uint32_t* data,
                                          IMessage** message) noexcept override {
    return CreateFrameworkMessage(id, flags, argument, hasArgument != 0, reserved, data,
                                  message);
  }
};

class MessageRouter final : public StaticService<IMessageRouter, IID_IMessageRouter> {
 public:
  HRESULT STDMETHODCALLTYPE Deliver(IMessage* message, IUnknown* target) noexcept override {
    if (!message || !target) return E_INVALIDARG;
    host::HostPtr<IMessageHandler> handler;
    if (FAILED(target->QueryInterface(IID_IMessageHandler,
                                      reinterpret_cast<void**>(handler.Out()))) ||
        !handler)
      return E_NOINTERFACE;
    NoteMessageDelivered(message);
    return handler->HandleMessage(message) != kMessageNotConsumed ? S_OK : S_FALSE;
  }
};

class MessageFactory final : public StaticService<IMessageFactory, IID_IMessageFactory> {
 public:
  HRESULT STDMETHODCALLTYPE Register(uint32_t,
                                     IMsgIdMessageClassObject* classObject) noexcept override {
    if (!classObject) return E_POINTER;
    try {
      mClasses.emplace_back(classObject);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCount(uint32_t* count) noexcept override {
    if (!count) return E_POINTER;
    *count = static_cast<uint32_t>(mClasses.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetAt(uint32_t index,
                                  IMsgIdMessageClassObject** classObject) noexcept override {
    if (!classObject) return E_POINTER;
    *classObject = nullptr;
    if (index >= mClasses.size()) return E_INVALIDARG;
    *classObject = mClasses[index].Get();
    (*classObject)->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE FindByName(const wchar_t* name,
                                       IMsgIdMessageClassObject** classObject) noexcept override {
    if (!classObject) return E_POINTER;
    *classObject = nullptr;
    if (!name) return E_INVALIDARG;
    for (const auto& candidate : mClasses) {
      BSTR candidateName = nullptr;
      candidate->GetName(&candidateName);
      const bool same = candidateName && lstrcmpiW(candidateName, name) == 0;
      SysFreeString(candidateName);
      if (!same) continue;
      *classObject = candidate.Get();
      (*classObject)->AddRef();
      return S_OK;
    }
    return S_FALSE;
  }

 private:
  std::vector<host::HostPtr<IMsgIdMessageClassObject>> mClasses;
};

MessageService gMessageService;
MessageRouter gMessageRouter;
MessageFactory gMessageFactory;
const ServiceRegistration gServiceEntry(IID_IMessageService, kMessageServiceId, &gMessageService);
const ServiceRegistration gRouterEntry(IID_IMessageRouter, 0, &gMessageRouter);
const ServiceRegistration gFactoryEntry(IID_IMessageFactory, 0, &gMessageFactory);

}  // namespace

IMessageService* FrameworkMessageService() noexcept { return &gMessageService; }
IMessageRouter* FrameworkMessageRouter() noexcept { return &gMessageRouter; }
IMessageFactory* FrameworkMessageFactory() noexcept { return &gMessageFactory; }

}  // namespace lumo
