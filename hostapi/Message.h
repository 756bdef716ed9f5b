// Host framework messages: the IMessage object that carries a command or notification.
// Ownership: a message handed out through an out pointer carries one reference for the caller.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <cstdint>

// {D0C7F633-2902-11CF-8E78-00C0DF48DF77}
inline constexpr GUID IID_IMessage = {
    0xD0C7F633, 0x2902, 0x11CF, {0x8E, 0x78, 0x00, 0xC0, 0xDF, 0x48, 0xDF, 0x77}};

// Message flag: a message so flagged is not handed back to the handler that sent it.
inline constexpr uint32_t kMessageFlagNotToSender = 0x8;
// Message flag: the message names a view; its IMessageView interface gives the view's id.
inline constexpr uint32_t kMessageFlagNamesView = 0x40;

struct IMessage : IUnknown {
  // Slot 3: the two words of the message's data block.
  virtual HRESULT STDMETHODCALLTYPE GetData(uint32_t* first, uint32_t* second) = 0;
  // Slot 4: VARIANT_TRUE when the message was created with an argument.
  virtual HRESULT STDMETHODCALLTYPE HasArgument(VARIANT_BOOL* present) = 0;
  // Slot 5: the third creation word, kept as given.
  virtual HRESULT STDMETHODCALLTYPE GetReserved(uint32_t* value) = 0;
  // Slot 6: the 32-bit message id (class index << 16 | number).
  virtual HRESULT STDMETHODCALLTYPE GetId(uint32_t* id) = 0;
  // Slot 7: the message flags.
  virtual HRESULT STDMETHODCALLTYPE GetFlags(uint32_t* flags) = 0;
  // Slot 8: the number of times the message has been delivered.
  virtual HRESULT STDMETHODCALLTYPE GetDeliveryCount(uint32_t* count) = 0;
  // Slot 9: the 32-bit argument value (0 without argument).
  virtual HRESULT STDMETHODCALLTYPE GetArgument(uint32_t* value) = 0;
  // Slot 10: stamps the message with the sending part (null clears the stamp).
  virtual HRESULT STDMETHODCALLTYPE SetSender(const void* sender) = 0;
  // Slot 11: VARIANT_TRUE when the message carries the stamp of sender.
  virtual HRESULT STDMETHODCALLTYPE IsFromSender(const void* sender, VARIANT_BOOL* fromSender) = 0;
};

// {D24434F0-6C8A-11D3-80B4-005004AD3C53}: answered by messages that name a view.
inline constexpr GUID IID_IMessageView = {
    0xD24434F0, 0x6C8A, 0x11D3, {0x80, 0xB4, 0x00, 0x50, 0x04, 0xAD, 0x3C, 0x53}};

struct IMessageView : IUnknown {
  // Slot 3: the type id of the view concerned.
  virtual HRESULT STDMETHODCALLTYPE GetViewId(uint32_t* id) = 0;
};

// The host's own interface id (chosen by this host): {6D1F8A32-4B5C-4E97-8A0D-1F2E3C4B5D69}.
// Answered by messages made with values (IMessageService slot 10).
inline constexpr GUID IID_IMessageValues = {
    0x6D1F8A32, 0x4B5C, 0x4E97, {0x8A, 0x0D, 0x1F, 0x2E, 0x3C, 0x4B, 0x5D, 0x69}};

struct IMessageValues : IUnknown {
  // Slot 3: the message's values; *count is the room at values going in and how many the
  // message holds coming out (only as many as there was room for are written).
  virtual HRESULT STDMETHODCALLTYPE GetValues(int32_t* count, double* values) = 0;
};
