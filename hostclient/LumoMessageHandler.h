// LumoMessageHandler: a framework message handler with a tree of sub-handlers and a sender.
#pragma once

#include "hostapi/MessageHandler.h"
#include "base/InterfaceArray.h"
#include "hostclient/LumoMessageSender.h"

// IUnknown is left to the concrete class. The handler's sender identity starts as the
// handler itself and follows its parent's identity while it has a parent.
class LumoMessageHandler : public IMessageHandler, public LumoMessageSender {
 public:
  // Offers the message to each sub-handler in turn: 1 at the first that consumes it.
  int32_t STDMETHODCALLTYPE HandleMessage(IMessage* message) noexcept override;
  HRESULT STDMETHODCALLTYPE AddHandler(IMessageHandler* handler) noexcept override;
  // The parent of a handler that is not a sub-handler is left as it is.
  HRESULT STDMETHODCALLTYPE RemoveHandler(IMessageHandler* handler) noexcept override;
  HRESULT STDMETHODCALLTYPE SetParent(IMessageHandler* parent) noexcept override;
  HRESULT STDMETHODCALLTYPE GetSenderIdentity(IUnknown** identity) noexcept override;
  // False only for a message flagged not-to-sender that this handler's sender sent.
  int32_t STDMETHODCALLTYPE WantsMessage(IMessage* message) noexcept override;

  IMessageHandler* Parent() const noexcept { return mParent; }

 protected:
  LumoMessageHandler() noexcept;
  ~LumoMessageHandler() override;

  int32_t OfferToSubHandlers(IMessage* message) noexcept;

 private:
  // Index of handler among the sub-handlers, or -1.
  int32_t FindSubHandler(IMessageHandler* handler) const noexcept;
  IUnknown* SelfIdentity() noexcept { return static_cast<IMessageHandler*>(this); }

  // Capacity 8, doubling when full.
  InterfaceArray<IMessageHandler> mSubHandlers{0, 8, true, 8};
  IMessageHandler* mParent = nullptr;
};
