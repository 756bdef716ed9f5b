// LumoProxyEventHandler: the COM object through which the framework reaches a plain object
// (LumoCppEventHandler) with commands, observer events and messages.
#pragma once

#include "hostapi/MessageHandler.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/InterfaceMap.h"
#include "hostclient/LumoMessageHandler.h"

class LumoCppEventHandler;

// Every operation applies to the tables of the connected object; with none connected the
// command operations and notifications answer S_OK and registration S_FALSE.
class LumoProxyEventHandlerBase : public ILumoCommandHandler,
                                  public IObserver,
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
  // Not when unwanted or sent by the connected object; then its table, then sub-handlers.
  int32_t STDMETHODCALLTYPE HandleMessage(IMessage* message) noexcept override;

  LumoCppEventHandler* Connected() const noexcept { return mConnected; }
  // The connected object is not referenced: it owns this proxy.
  void SetConnected(LumoCppEventHandler* object) noexcept { mConnected = object; }

 protected:
  LumoProxyEventHandlerBase() noexcept = default;
  // Lets go of the connected object and of the framework's observer registry.
  ~LumoProxyEventHandlerBase() override;

 private:
  LumoCppEventHandler* mConnected = nullptr;
};

class LumoProxyEventHandler final : public LumoProxyEventHandlerBase, public QOR::CComObjectRoot {
 public:
  QOR_BEGIN_INTERFACE_MAP(LumoProxyEventHandler)
  QOR_INTERFACE_ENTRY(IMessageHandler, IID_IMessageHandler)
  QOR_INTERFACE_ENTRY(ILumoCommandHandler, IID_ILumoCommandHandler)
  QOR_INTERFACE_ENTRY(IObserver, IID_IObserver)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_HEAP()

  // A new proxy holding one reference for the caller.
  static LumoProxyEventHandler* Create();

 private:
  LumoProxyEventHandler() noexcept = default;
  ~LumoProxyEventHandler() override = default;
};
