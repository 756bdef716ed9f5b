// LumoCppEventHandler: a plain object's connection to its framework proxy.
#include "hostclient/LumoCppEventHandler.h"

#include "hostclient/LumoProxyEventHandler.h"

LumoCppEventHandler::LumoCppEventHandler() : LumoMessageSender(nullptr) {
  LumoProxyEventHandler* const proxy = LumoProxyEventHandler::Create();
  AttachProxy(proxy);
  proxy->Release();  // AttachProxy keeps the reference this object holds
}

LumoCppEventHandler::~LumoCppEventHandler() {
  DetachProxy();
  DetachSender();
}

LumoProxyEventHandlerBase* LumoCppEventHandler::Proxy() const noexcept {
  return mProxyObserver ? static_cast<LumoProxyEventHandlerBase*>(mProxyObserver.Get())
                        : nullptr;
}

void LumoCppEventHandler::AttachProxy(LumoProxyEventHandlerBase* proxy) noexcept {
  DetachProxy();
  if (!proxy) return;
  mProxyObserver = ComPtr<IObserver>(static_cast<IObserver*>(proxy));
  proxy->SetConnected(this);
  IUnknown* identity = nullptr;
  if (SUCCEEDED(proxy->GetSenderIdentity(&identity)) && identity) {
    SetSenderOwner(identity, true);
    identity->Release();
  }
}

void LumoCppEventHandler::DetachProxy() noexcept {
  LumoProxyEventHandlerBase* const proxy = Proxy();
  if (!proxy) return;
  proxy->SetConnected(nullptr);
  mProxyObserver.Reset();
}
