// LumoMessageHandler: sub-handler tree, parent identity and the not-to-sender rule.
#include "hostclient/LumoMessageHandler.h"

#include "hostapi/Message.h"
#include "hostclient/ComBoundary.h"

LumoMessageHandler::LumoMessageHandler() noexcept : LumoMessageSender(nullptr) {
  SetSenderOwner(SelfIdentity(), false);
}

LumoMessageHandler::~LumoMessageHandler() {
  if (IMessageHandler* const parent = mParent) {
    parent->RemoveHandler(this);
    mParent = nullptr;
  }
  for (size_t i = 0; i < mSubHandlers.Size(); ++i) {
    if (mSubHandlers[i]) mSubHandlers[i]->SetParent(nullptr);
  }
  mSubHandlers.Clear();
  DetachSender();
}

int32_t LumoMessageHandler::OfferToSubHandlers(IMessage* message) noexcept {
  // A sub-handler may remove itself while handling; index against the current size.
  for (size_t i = 0; i < mSubHandlers.Size(); ++i) {
    IMessageHandler* const handler = mSubHandlers[i];
    if (handler && handler->HandleMessage(message) != kMessageNotConsumed)
      return kMessageConsumed;
  }
  return kMessageNotConsumed;
}

int32_t STDMETHODCALLTYPE LumoMessageHandler::HandleMessage(IMessage* message) noexcept {
  return OfferToSubHandlers(message);
}

HRESULT STDMETHODCALLTYPE LumoMessageHandler::AddHandler(IMessageHandler* handler) noexcept {
  if (!handler) return E_POINTER;
  return ComTry([&] {
    mSubHandlers.Add(handler);
    handler->SetParent(this);
  });
}

HRESULT STDMETHODCALLTYPE LumoMessageHandler::RemoveHandler(IMessageHandler* handler) noexcept {
  if (!handler) return S_FALSE;
  // Only a handler of this tree loses its parent: clearing the parent of a stranger would
  // cut it off from the tree it belongs to.
  if (!mSubHandlers.Contains(handler)) return E_FAIL;
  handler->SetParent(nullptr);
  mSubHandlers.Remove(handler);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LumoMessageHandler::SetParent(IMessageHandler* parent) noexcept {
  mParent = parent;
  if (!parent) {
    SetSenderOwner(SelfIdentity(), false);
    return S_OK;
  }
  IUnknown* identity = nullptr;
  if (FAILED(parent->GetSenderIdentity(&identity)) || !identity) {
    SetSenderOwner(SelfIdentity(), false);
    return S_OK;
  }
  // The parent owns this handler, so its own identity is kept without a reference.
  const bool isParent = identity == static_cast<IUnknown*>(parent);
  SetSenderOwner(identity, !isParent);
  identity->Release();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LumoMessageHandler::GetSenderIdentity(IUnknown** identity) noexcept {
  if (!identity) return E_POINTER;
  *identity = SenderOwner();
  if (*identity) (*identity)->AddRef();
  return S_OK;
}

int32_t STDMETHODCALLTYPE LumoMessageHandler::WantsMessage(IMessage* message) noexcept {
  if (!message) return 0;
  uint32_t flags = 0;
  if (FAILED(message->GetFlags(&flags)) || !(flags & kMessageFlagNotToSender)) return 1;
  VARIANT_BOOL fromThis = VARIANT_FALSE;
  if (FAILED(message->IsFromSender(SenderStamp(), &fromThis))) return 1;
  return fromThis == VARIANT_TRUE ? 0 : 1;
}
