// Host framework observer registry: the observers attached to the framework's subjects.
// Ownership: observers passed in are borrowed; the registry keeps no reference on them.
#pragma once

#include "hostapi/MessageHandler.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {2B389B80-64B6-11D3-80B1-005004AD3C53}
inline constexpr GUID IID_IObserverRegistry = {
    0x2B389B80, 0x64B6, 0x11D3, {0x80, 0xB1, 0x00, 0x50, 0x04, 0xAD, 0x3C, 0x53}};

struct IObserverRegistry : IUnknown {
  // Slots 3-6: the data panes' subjects (a subject is any object the pane names itself by).
  // Slot 3: observer hears the subject's notifications from now on (once however often it is
  // attached).
  virtual HRESULT STDMETHODCALLTYPE AttachToSubject(IUnknown* subject, IObserver* observer) = 0;
  // Slot 4: S_FALSE when observer was not attached to subject.
  virtual HRESULT STDMETHODCALLTYPE DetachFromSubject(IUnknown* subject, IObserver* observer) = 0;
  // Slot 5: every observer of subject gets Notify(0, eventId, 0, data), in attaching order.
  virtual HRESULT STDMETHODCALLTYPE NotifySubject(IUnknown* subject, uint32_t eventId, const void* data) = 0;
  // Slot 6: the subject goes: its observers are forgotten.
  virtual HRESULT STDMETHODCALLTYPE RemoveSubject(IUnknown* subject) = 0;
  // Slots 7-9: declared by their users when they are built.
  virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved9() = 0;
  // Slot 10: detaches observer from everything it is attached to; S_FALSE when it was
  // attached to nothing.
  virtual HRESULT STDMETHODCALLTYPE DetachObserver(IObserver* observer) = 0;
};
