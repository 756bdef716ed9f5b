// Host framework message factory: the named commands' message class objects and the
// writer they describe themselves to.
// Ownership: interfaces handed out through out pointers carry one reference for the caller;
// a BSTR slot is freed by the callee before it stores a new BSTR, which the caller then frees.
#pragma once

#include "hostapi/Message.h"

#include <oaidl.h>
#include <windows.h>

#include <cstdint>

namespace QOR {
struct IQORString;
}

// {C7482421-F548-4440-909D-C8E9FAFEEA10}
inline constexpr GUID IID_IMessageFactory = {
    0xC7482421, 0xF548, 0x4440, {0x90, 0x9D, 0xC8, 0xE9, 0xFA, 0xFE, 0xEA, 0x10}};
// {B08F5EBD-A5F1-428D-8EF6-1543888F973F}
inline constexpr GUID IID_IMsgIdMessageClassObject = {
    0xB08F5EBD, 0xA5F1, 0x428D, {0x8E, 0xF6, 0x15, 0x43, 0x88, 0x8F, 0x97, 0x3F}};

struct ICommandWriter;

// A command's message class object.
struct IMsgIdMessageClassObject : IUnknown {
  // Slot 3
  virtual HRESULT STDMETHODCALLTYPE GetId(uint32_t* id) = 0;
  // Slot 4: null slot pointer: nothing; an empty name stores a null BSTR.
  virtual HRESULT STDMETHODCALLTYPE GetName(BSTR* name) = 0;
  // Slot 5: as slot 4, with the group.
  virtual HRESULT STDMETHODCALLTYPE GetGroup(BSTR* group) = 0;
  // Slot 6
  virtual HRESULT STDMETHODCALLTYPE GetDescription(QOR::IQORString** description) = 0;
  // Slots 7 and 8: two flags the host reads; the word is ignored.
  virtual HRESULT STDMETHODCALLTYPE GetFlag7(uint32_t word, VARIANT_BOOL* flag) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFlag8(uint32_t word, VARIANT_BOOL* flag) = 0;
  // Slot 9: a new message carrying the command; DISP_E_BADPARAMCOUNT unless the list holds
  // at most one positional and no named argument.
  virtual HRESULT STDMETHODCALLTYPE CreateMessage(uint32_t word, DISPPARAMS* arguments,
                                                  IMessage** message) = 0;
  // Slot 10: writes the command (and the message's value, when given) to target.
  virtual HRESULT STDMETHODCALLTYPE WriteCommand(uint32_t word, IMessage* message,
                                                 ICommandWriter* target, uint32_t word2) = 0;
  // Slot 11: writes the help topic or, without one, the command.
  virtual HRESULT STDMETHODCALLTYPE Write(uint32_t word, ICommandWriter* target,
                                          uint32_t word2) = 0;
  // Slot 12: writes the description lines.
  virtual HRESULT STDMETHODCALLTYPE Describe(uint32_t word, ICommandWriter* target,
                                             uint32_t word2) = 0;
};

// The host's parameter object of a written command.
struct ICommandParameters : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  // Slot 5: one parameter (name, the host's third field).
  virtual HRESULT STDMETHODCALLTYPE AddParameter(QOR::IQORString* name,
                                                 QOR::IQORString* extra) = 0;
};

// What a message class object writes itself to: a script or a command listing of the host.
struct ICommandWriter : IUnknown {
  // Slot 3: a help topic.
  virtual HRESULT STDMETHODCALLTYPE WriteHelpTopic(const wchar_t* topic, uint32_t word) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  // Slot 5: one line of a description.
  virtual HRESULT STDMETHODCALLTYPE WriteLine(const wchar_t* line, uint32_t word) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved9() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved13() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved14() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved15() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved16() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved17() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved18() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved19() = 0;
  // Slot 20: a parameter object for the command written last.
  virtual HRESULT STDMETHODCALLTYPE CreateParameters(ICommandParameters** parameters) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved21() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved22() = 0;
  // Slot 23: starts a command by name.
  virtual HRESULT STDMETHODCALLTYPE WriteCommandName(const wchar_t* name) = 0;
};

// The framework's list of message class objects.
struct IMessageFactory : IUnknown {
  // Slot 3: registers a message class object (reserved is 0); one reference is kept.
  virtual HRESULT STDMETHODCALLTYPE Register(uint32_t reserved,
                                             IMsgIdMessageClassObject* classObject) = 0;
  // Slot 4: how many are registered.
  virtual HRESULT STDMETHODCALLTYPE GetCount(uint32_t* count) = 0;
  // Slot 5: the class object at index in registration order; E_INVALIDARG past the end.
  virtual HRESULT STDMETHODCALLTYPE GetAt(uint32_t index,
                                          IMsgIdMessageClassObject** classObject) = 0;
  // Slot 6: the class object of a command name (case-insensitive); S_FALSE and null if none.
  virtual HRESULT STDMETHODCALLTYPE FindByName(const wchar_t* name,
                                               IMsgIdMessageClassObject** classObject) = 0;
};
