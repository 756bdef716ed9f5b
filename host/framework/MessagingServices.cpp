// The framework's message service and message router.
#include "host/common/HostPtr.h"
#include "host/framework/ServiceTable.h"
#include "host/framework/StaticService.h"
#include "host/framework/FrameworkMessage.h"
#include "hostapi/MessageHandler.h"
#include "hostapi/MessageService.h"

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
  HRESULT STDMETHODCALLTYPE CreateValueMessage(uint32_t id, uint32_t flags, uint32_t argument,
                                               const uint32_t* data, int32_t count, const double* values,
                                               IMessage** message) noexcept override {
    return CreateFrameworkValueMessage(id, flags, argument, data, count, values, message);
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

MessageService gMessageService;
MessageRouter gMessageRouter;
const ServiceRegistration gServiceEntry(IID_IMessageService, kMessageServiceId, &gMessageService);
const ServiceRegistration gRouterEntry(IID_IMessageRouter, 0, &gMessageRouter);

}  // namespace


}  // namespace lumo
