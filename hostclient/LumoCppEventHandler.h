// LumoCppEventHandler: a plain (non-COM) object with event tables, reached by the framework
// through a LumoProxyEventHandler of its own.
#pragma once

#include "hostapi/MessageHandler.h"
#include "hostclient/ComPtr.h"
#include "hostclient/LumoEventHandlerBase.h"
#include "hostclient/LumoMessageSender.h"

class LumoProxyEventHandlerBase;

class LumoCppEventHandler : public LumoEventHandlerBase, public LumoMessageSender {
 public:
  // Connects proxy (its IObserver part is kept with a reference) after detaching any previous
  // proxy; this object then sends under the proxy's identity.
  void AttachProxy(LumoProxyEventHandlerBase* proxy) noexcept;
  // Clears the proxy's pointer back to this object and releases it.
  void DetachProxy() noexcept;
  // The proxy's observer part, as the framework is given it (not referenced).
  IObserver* ProxyObserver() const noexcept { return mProxyObserver.Get(); }
  LumoProxyEventHandlerBase* Proxy() const noexcept;
  // Called by a proxy that is going away: its reference is no longer this object's to drop.
  void ForgetProxy() noexcept { static_cast<void>(mProxyObserver.Detach()); }

 protected:
  // Makes and attaches a proxy of its own.
  LumoCppEventHandler();
  ~LumoCppEventHandler() override;

 private:
  ComPtr<IObserver> mProxyObserver;
};
