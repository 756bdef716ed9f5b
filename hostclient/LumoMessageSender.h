// LumoMessageSender: stamps messages with their sender and routes them through the
// framework's router; SendFrameworkMessage makes and sends a message in one call.
#pragma once

#include "hostclient/ComPtr.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

struct IMessage;

class LumoMessageSender {
 public:
  explicit LumoMessageSender(IUnknown* owner) noexcept : mOwner(owner) {}
  LumoMessageSender(const LumoMessageSender&) = delete;
  LumoMessageSender& operator=(const LumoMessageSender&) = delete;
  virtual ~LumoMessageSender();

  // Routes message to target under this sender's stamp: E_FAIL when disabled or without a
  // router (the message untouched apart from its count), else the router's answer.
  virtual HRESULT Deliver(IUnknown* target, IMessage* message);
  // Holds a reference to message around Deliver.
  HRESULT Send(IMessage* message, IUnknown* target);

  // The identity the owner of this sender stands under (not referenced by the caller).
  IUnknown* SenderOwner() const noexcept { return mOwner; }
  // Makes owner the identity; a held owner keeps one reference until replaced or detached.
  void SetSenderOwner(IUnknown* owner, bool holdReference) noexcept;
  // Releases the held reference and clears the owner.
  void DetachSender() noexcept;
  void EnableSending(bool enabled) noexcept { mEnabled = enabled; }
  // The stamp this sender puts on the messages it delivers.
  const void* SenderStamp() const noexcept { return this; }

 private:
  IUnknown* mOwner;
  ComPtr<IUnknown> mHeld;  // the owner, when this sender holds it
  bool mEnabled = true;
};

// What a framework message is made from.
struct FrameworkMessageDesc {
  uint32_t id;
  uint32_t flags;
  uint32_t data[2];
};

// Makes a message without argument (flags | extraFlags) through the framework's message
// service and sends it to target through sender; the send result, E_FAIL without service.
HRESULT SendFrameworkMessage(const FrameworkMessageDesc& description, LumoMessageSender& sender,
                             IUnknown* target, uint32_t extraFlags);
// The same with an argument and count values after it.
HRESULT SendFrameworkMessage(const FrameworkMessageDesc& description, uint32_t argument, const double* values,
                             int32_t count, LumoMessageSender& sender, IUnknown* target);
