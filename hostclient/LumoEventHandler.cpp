// LumoEventHandlerT<1>: the framework interfaces of an event handler over its tables.
#include "hostclient/LumoEventHandler.h"

#include "hostapi/ObserverRegistry.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/FrameworkAccess.h"

LumoEventHandlerT<1>::LumoEventHandlerT() noexcept {
  // Fetched now so that the destructor finds the registry cached.
  GetObserverRegistry();
}

LumoEventHandlerT<1>::~LumoEventHandlerT() {
  if (IObserverRegistry* const registry = GetObserverRegistry())
    registry->DetachObserver(static_cast<IObserver*>(this));
}

HRESULT STDMETHODCALLTYPE LumoEventHandlerT<1>::Execute(uint32_t commandId) noexcept {
  return ComTry([&] { return ExecuteCommand(commandId); });
}

HRESULT STDMETHODCALLTYPE LumoEventHandlerT<1>::QueryState(uint32_t commandId,
                                                           ICommandState* state) noexcept {
  return ComTry([&] { return QueryCommandState(commandId, state); });
}

HRESULT STDMETHODCALLTYPE LumoEventHandlerT<1>::ExecuteWithArgs(uint32_t commandId,
                                                                uint32_t kind,
                                                                uintptr_t argument1,
                                                                uintptr_t argument2) noexcept {
  return ComTry([&] { return ExecuteCommandArgs(commandId, kind, argument1, argument2); });
}

HRESULT STDMETHODCALLTYPE
LumoEventHandlerT<1>::RegisterWith(IObserverSubscription* subscription) noexcept {
  return ComTry([&] { return RegisterObserverEvents(subscription, this); });
}

HRESULT STDMETHODCALLTYPE LumoEventHandlerT<1>::Notify(uint32_t, uint32_t eventId, uint32_t,
                                                       const void* data) noexcept {
  return ComTry([&] { return NotifyObserverEvent(eventId, data); });
}

int32_t STDMETHODCALLTYPE LumoEventHandlerT<1>::HandleMessage(IMessage* message) noexcept {
  if (!WantsMessage(message)) return kMessageNotConsumed;
  // A handler that throws has not consumed the message.
  const HRESULT consumed = ComTry([&]() -> HRESULT {
    return LumoEventHandlerBase::HandleMessage(message) == kMessageConsumed ? S_OK : S_FALSE;
  });
  if (consumed == S_OK) return kMessageConsumed;
  return OfferToSubHandlers(message);
}
