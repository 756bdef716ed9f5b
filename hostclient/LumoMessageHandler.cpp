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
  for (uint32_t i = 0; i < mSubHandlers.Count(); ++i) {
    if (IMessageHandler* const handler = mSubHandlers.At(i)) handler->SetParent(nullptr);
  }
  while (mSubHandlers.Count() > 0) mSubHandlers.RemoveAt(mSubHandlers.Count() - 1);
  DetachSender();
}

int32_t LumoMessageHandler::FindSubHandler(IMessageHandler* handler) const noexcept {
  for (uint32_t i = 0; i < mSubHandlers.Count(); ++i) {
    if (mSubHandlers.At(i) == handler) return static_cast<int32_t>(i);
  }
  return -1;
}

int32_t LumoMessageHandler::OfferToSubHandlers(IMessage* message) noexcept {
  // A sub-handler may remove itself while handling; index against the current size.
  for (uint32_t i = 0; i < mSubHandlers.Count(); ++i) {
    IMessageHandler* const handler = mSubHandlers.At(i);
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
  const int32_t index = FindSubHandler(handler);
  if (index < 0) return E_FAIL;
  handler->SetParent(nullptr);
  mSubHandlers.RemoveAt(static_cast<uint32_t>(index));
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
