// Host framework handler interfaces: message handlers, command handlers, command state,
// observers and object information.
// Ownership: interfaces handed out through out pointers carry one reference for the caller;
// interfaces passed in are borrowed for the call; BSTRs handed out are the caller's to free.
#pragma once

#include "hostapi/Message.h"

#include <oaidl.h>
#include <windows.h>

#include <cstdint>

// {35D41FE2-B563-11D2-B801-008048C36FE8}
inline constexpr GUID IID_IMessageHandler = {
    0x35D41FE2, 0xB563, 0x11D2, {0xB8, 0x01, 0x00, 0x80, 0x48, 0xC3, 0x6F, 0xE8}};
// {812082B5-B7F0-11D3-80C8-005004AD3C53}
inline constexpr GUID IID_ILumoCommandHandler = {
    0x812082B5, 0xB7F0, 0x11D3, {0x80, 0xC8, 0x00, 0x50, 0x04, 0xAD, 0x3C, 0x53}};
// {F7D6C0D2-331F-11D1-8CEC-00C0D1570D74}
inline constexpr GUID IID_IObserver = {
    0xF7D6C0D2, 0x331F, 0x11D1, {0x8C, 0xEC, 0x00, 0xC0, 0xD1, 0x57, 0x0D, 0x74}};
// {C3F1A0B2-5D4E-4F60-9A71-2B8C0D3E4F51}: the command-state object of the stand-in host.
inline constexpr GUID IID_ICommandState = {
    0xC3F1A0B2, 0x5D4E, 0x4F60, {0x9A, 0x71, 0x2B, 0x8C, 0x0D, 0x3E, 0x4F, 0x51}};
// {8E2B4C61-7A3D-4B95-A0C4-6F1D2E3A5B72}: object information for debugging.
inline constexpr GUID IID_IObjInfo = {
    0x8E2B4C61, 0x7A3D, 0x4B95, {0xA0, 0xC4, 0x6F, 0x1D, 0x2E, 0x3A, 0x5B, 0x72}};

// What a message handler's slot 3 answers.
inline constexpr int32_t kMessageNotConsumed = 0;
inline constexpr int32_t kMessageConsumed = 1;

struct ISimpleMessageHandler : IUnknown {
  // Slot 3: kMessageConsumed or kMessageNotConsumed.
  virtual int32_t STDMETHODCALLTYPE HandleMessage(IMessage* message) = 0;
};

struct IMessageHandler : ISimpleMessageHandler {
  // Slot 4: appends a sub-handler (one reference kept) and makes this handler its parent.
  virtual HRESULT STDMETHODCALLTYPE AddHandler(IMessageHandler* handler) = 0;
  // Slot 5: S_OK when removed, E_FAIL when not a sub-handler, S_FALSE for null.
  virtual HRESULT STDMETHODCALLTYPE RemoveHandler(IMessageHandler* handler) = 0;
  // Slot 6: the parent is borrowed, not referenced (it owns this handler).
  virtual HRESULT STDMETHODCALLTYPE SetParent(IMessageHandler* parent) = 0;
  // Slot 7: the identity this handler's messages are sent under, one reference added.
  virtual HRESULT STDMETHODCALLTYPE GetSenderIdentity(IUnknown** identity) = 0;
  // Slot 8: nonzero when the handler takes the message.
  virtual int32_t STDMETHODCALLTYPE WantsMessage(IMessage* message) = 0;
};

// The host's object that a command handler fills while the host updates a menu or button.
struct ICommandState : IUnknown {
  // Slot 3
  virtual HRESULT STDMETHODCALLTYPE SetChecked(VARIANT_BOOL checked) = 0;
  // Slot 4
  virtual HRESULT STDMETHODCALLTYPE SetEnabled(VARIANT_BOOL enabled) = 0;
  // Slot 5: null text leaves the command's text as it is.
  virtual HRESULT STDMETHODCALLTYPE SetText(const wchar_t* text) = 0;
};

struct ILumoCommandHandler : IUnknown {
  // Slot 3: S_OK when a handler ran, S_FALSE when the command is not handled here.
  virtual HRESULT STDMETHODCALLTYPE Execute(uint32_t commandId) = 0;
  // Slot 4: S_OK when the state was set, S_FALSE when the command is not handled here.
  virtual HRESULT STDMETHODCALLTYPE QueryState(uint32_t commandId, ICommandState* state) = 0;
  // Slot 5: kind is one of the command kinds of the handler's tables; the handler's result,
  // S_FALSE when not handled here.
  virtual HRESULT STDMETHODCALLTYPE ExecuteWithArgs(uint32_t commandId, uint32_t kind,
                                                    uintptr_t argument1, uintptr_t argument2) = 0;
};

struct IObserver;

// What an observer registers with: slot 6 attaches an observer to one event id.
struct IObserverSubscription : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  // Slot 6
  virtual HRESULT STDMETHODCALLTYPE AttachObserver(IObserver* observer, uint32_t eventId,
                                                   uint32_t reserved) = 0;
};

struct IObserver : IUnknown {
  // Slot 3: attaches this observer to every event id it handles.
  virtual HRESULT STDMETHODCALLTYPE RegisterWith(IObserverSubscription* subscription) = 0;
  // Slot 4: an event; data points at the event's argument words.
  virtual HRESULT STDMETHODCALLTYPE Notify(uint32_t first, uint32_t eventId, uint32_t third,
                                           const void* data) = 0;
};

struct IObjInfo : IUnknown {
  // Slot 3: frees the BSTR already in *name; an empty name leaves it null.
  virtual HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) = 0;
  // Slot 4: a narrow text owned by the object.
  virtual const char* STDMETHODCALLTYPE GetNameText() = 0;
};
