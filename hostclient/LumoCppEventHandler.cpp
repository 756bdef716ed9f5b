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

LumoProxyEventHandler* LumoCppEventHandler::Proxy() const noexcept {
  return mProxyObserver ? static_cast<LumoProxyEventHandler*>(mProxyObserver.Get()) : nullptr;
}

void LumoCppEventHandler::AttachProxy(LumoProxyEventHandler* proxy) noexcept {
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
  LumoProxyEventHandler* const proxy = Proxy();
  if (!proxy) return;
  proxy->SetConnected(nullptr);
  mProxyObserver.Reset();
}
