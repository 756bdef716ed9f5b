// LumoProxyEventHandler: forwarding the framework's calls to the connected plain object.
#include "hostclient/LumoProxyEventHandler.h"

#include "hostapi/Message.h"
#include "hostapi/ObserverRegistry.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/LumoCppEventHandler.h"

HRESULT STDMETHODCALLTYPE LumoProxyEventHandlerBase::Execute(uint32_t commandId) noexcept {
  if (!mConnected) return S_OK;
  return ComTry([&] { return mConnected->ExecuteCommand(commandId); });
}

HRESULT STDMETHODCALLTYPE LumoProxyEventHandlerBase::QueryState(uint32_t commandId,
                                                                ICommandState* state) noexcept {
  if (!mConnected) return S_OK;
  return ComTry([&] { return mConnected->QueryCommandState(commandId, state); });
}

HRESULT STDMETHODCALLTYPE LumoProxyEventHandlerBase::ExecuteWithArgs(
    uint32_t commandId, uint32_t kind, uintptr_t argument1, uintptr_t argument2) noexcept {
  if (!mConnected) return S_OK;
  return ComTry(
      [&] { return mConnected->ExecuteCommandArgs(commandId, kind, argument1, argument2); });
}

HRESULT STDMETHODCALLTYPE
LumoProxyEventHandlerBase::RegisterWith(IObserverSubscription* subscription) noexcept {
  if (!mConnected) return S_FALSE;
  return ComTry([&] { return mConnected->RegisterObserverEvents(subscription, this); });
}

HRESULT STDMETHODCALLTYPE LumoProxyEventHandlerBase::Notify(uint32_t, uint32_t eventId, uint32_t,
                                                            const void* data) noexcept {
  if (!mConnected) return S_OK;
  return ComTry([&] { return mConnected->NotifyObserverEvent(eventId, data); });
}

int32_t STDMETHODCALLTYPE LumoProxyEventHandlerBase::HandleMessage(IMessage* message) noexcept {
  if (!WantsMessage(message)) return kMessageNotConsumed;
  uint32_t flags = 0;
  message->GetFlags(&flags);
  if (flags & kMessageFlagNotToSender) {
    VARIANT_BOOL fromConnected = VARIANT_FALSE;
    message->IsFromSender(mConnected ? mConnected->SenderStamp() : nullptr, &fromConnected);
    if (fromConnected == VARIANT_TRUE) return kMessageNotConsumed;
  }
  if (mConnected) {
    const HRESULT consumed = ComTry([&]() -> HRESULT {
      return mConnected->HandleMessage(message) == kMessageConsumed ? S_OK : S_FALSE;
    });
    if (consumed == S_OK) return kMessageConsumed;
  }
  return OfferToSubHandlers(message);
}

LumoProxyEventHandler* LumoProxyEventHandler::Create() {
  auto* proxy = new LumoProxyEventHandler();
  proxy->InternalAddRef();
  return proxy;
}

LumoProxyEventHandlerBase::~LumoProxyEventHandlerBase() {
  if (LumoCppEventHandler* const object = Connected()) {
    object->ForgetProxy();
    SetConnected(nullptr);
  }
  if (IObserverRegistry* const registry = GetObserverRegistry())
    registry->DetachObserver(static_cast<IObserver*>(this));
}
