// LumoMessageSender: routing messages through the framework under the sender's stamp.
#include "hostclient/LumoMessageSender.h"

#include "hostapi/Message.h"
#include "hostapi/MessageService.h"
#include "hostclient/ComPtr.h"
#include "hostclient/FrameworkAccess.h"

LumoMessageSender::~LumoMessageSender() { DetachSender(); }

void LumoMessageSender::SetSenderOwner(IUnknown* owner, bool holdReference) noexcept {
  if (holdReference && owner) owner->AddRef();
  IUnknown* const old = mHeld;
  mHeld = holdReference ? owner : nullptr;
  mOwner = owner;
  if (old) old->Release();
}

void LumoMessageSender::DetachSender() noexcept {
  IUnknown* const old = mHeld;
  mHeld = nullptr;
  mOwner = nullptr;
  if (old) old->Release();
}

HRESULT LumoMessageSender::Deliver(IUnknown* target, IMessage* message) {
  if (!mEnabled) return E_FAIL;
  if (!message) return E_POINTER;
  const QOR::ComPtr<IMessage> hold(message);
  IMessageRouter* const router = GetMessageRouter();
  if (!router) return E_FAIL;
  message->SetSender(SenderStamp());
  const HRESULT result = router->Deliver(message, target);
  message->SetSender(nullptr);
  return result;
}

HRESULT LumoMessageSender::Send(IMessage* message, IUnknown* target) {
  const QOR::ComPtr<IMessage> hold(message);
  return Deliver(target, message);
}

HRESULT SendFrameworkMessage(const FrameworkMessageDesc& description, LumoMessageSender& sender,
                             IUnknown* target, uint32_t extraFlags) {
  IMessageService* const service = GetMessageService();
  if (!service) return E_FAIL;
  QOR::ComPtr<IMessage> message;
  service->CreateMessage(description.id, description.flags | extraFlags, 0, 0, 0,
                         description.data, message.Out());
  if (!message) return E_FAIL;
  return sender.Send(message.Get(), target);
}
