// LumoEventHandlerT<1>: the base of documents, views and panes that take commands, observer
// events and framework messages through their event tables.
#pragma once

#include "hostapi/MessageHandler.h"
#include "hostclient/LumoEventHandlerBase.h"
#include "hostclient/LumoMessageHandler.h"

template <int Variant>
class LumoEventHandlerT;

// IUnknown is left to the concrete class, whose interface map lists ILumoCommandHandler,
// IObserver and IMessageHandler.
template <>
class LumoEventHandlerT<1> : public ILumoCommandHandler,
                             public IObserver,
                             public LumoEventHandlerBase,
                             public LumoMessageHandler {
 public:
  HRESULT STDMETHODCALLTYPE Execute(uint32_t commandId) noexcept override;
  HRESULT STDMETHODCALLTYPE QueryState(uint32_t commandId, ICommandState* state) noexcept override;
  HRESULT STDMETHODCALLTYPE ExecuteWithArgs(uint32_t commandId, uint32_t kind,
                                            uintptr_t argument1,
                                            uintptr_t argument2) noexcept override;
  HRESULT STDMETHODCALLTYPE RegisterWith(IObserverSubscription* subscription) noexcept override;
  HRESULT STDMETHODCALLTYPE Notify(uint32_t first, uint32_t eventId, uint32_t third,
                                   const void* data) noexcept override;
  // Not to a handler that does not want it; then the table; then the sub-handlers.
  int32_t STDMETHODCALLTYPE HandleMessage(IMessage* message) noexcept override;

 protected:
  LumoEventHandlerT() noexcept;
  ~LumoEventHandlerT() override;
};

using LumoEventHandler = LumoEventHandlerT<1>;
