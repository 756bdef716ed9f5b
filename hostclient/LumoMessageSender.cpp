// LumoMessageSender: routing messages through the framework under the sender's stamp.
#include "hostclient/LumoMessageSender.h"

#include "hostapi/Message.h"
#include "hostapi/MessageService.h"
#include "hostclient/ComPtr.h"
#include "hostclient/FrameworkAccess.h"

#include <utility>

LumoMessageSender::~LumoMessageSender() { DetachSender(); }

void LumoMessageSender::SetSenderOwner(IUnknown* owner, bool holdReference) noexcept {
  // The new owner is referenced before the old one is let go (it may be the same object).
  const ComPtr<IUnknown> old = std::move(mHeld);
  if (holdReference) mHeld = ComPtr<IUnknown>(owner);
  mOwner = owner;
}

void LumoMessageSender::DetachSender() noexcept {
  const ComPtr<IUnknown> old = std::move(mHeld);
  mOwner = nullptr;
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

HRESULT SendFrameworkMessage(const FrameworkMessageDesc& description, uint32_t argument, const double* values,
                             int32_t count, LumoMessageSender& sender, IUnknown* target) {
  IMessageService* const service = GetMessageService();
  if (!service) return E_FAIL;
  QOR::ComPtr<IMessage> message;
  service->CreateValueMessage(description.id, description.flags, argument, description.data, count, values,
                              message.Out());
  if (!message) return E_FAIL;
  return sender.Send(message.Get(), target);
}
