// Host framework message service and router: making IMessage objects and delivering them.
// Ownership: a message handed out through an out pointer carries one reference for the caller;
// the router holds the message only for the duration of the call.
#pragma once

#include "hostapi/Message.h"

#include <windows.h>

#include <cstdint>

// The id under which the class registry (its slot 5) gives the message service.
inline constexpr uint32_t kMessageServiceId = 0x80000007u;

// {3AEB28D2-CF32-11D1-B2EC-00600894D72A}
inline constexpr GUID IID_IMessageService = {
    0x3AEB28D2, 0xCF32, 0x11D1, {0xB2, 0xEC, 0x00, 0x60, 0x08, 0x94, 0xD7, 0x2A}};
// {3AEB28D1-CF32-11D1-B2EC-00600894D72A}
inline constexpr GUID IID_IMessageRouter = {
    0x3AEB28D1, 0xCF32, 0x11D1, {0xB2, 0xEC, 0x00, 0x60, 0x08, 0x94, 0xD7, 0x2A}};

struct IMessageService : IUnknown {
  // Slots 3-8: further services of the host, not used by the module.
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;
  // Slot 9: a new message. argument is the 32-bit argument value (0 when hasArgument is 0);
  // data points at the two-word data block (null: two zero words).
  virtual HRESULT STDMETHODCALLTYPE CreateMessage(uint32_t id, uint32_t flags,
                                                  uint32_t argument, uint32_t hasArgument,
                                                  uint32_t reserved, const uint32_t* data,
                                                  IMessage** message) = 0;
  // Slot 10: a new message with an argument and count values after it (IMessageValues).
  virtual HRESULT STDMETHODCALLTYPE CreateValueMessage(uint32_t id, uint32_t flags, uint32_t argument,
                                                       const uint32_t* data, int32_t count,
                                                       const double* values, IMessage** message) = 0;
};

struct IMessageRouter : IUnknown {
  // Slot 3: hands message to target's message handler at once; the answer is S_OK when a
  // handler consumed it, S_FALSE when none did, E_INVALIDARG for a null message or target,
  // E_NOINTERFACE when target takes no messages.
  virtual HRESULT STDMETHODCALLTYPE Deliver(IMessage* message, IUnknown* target) = 0;
};
