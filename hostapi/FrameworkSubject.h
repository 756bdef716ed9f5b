// Host subjects (ISubject): the framework's announcements of objects made and destroyed, and
// the host objects whose observers hear the host's notifications.
// Ownership: the announced object is borrowed for the call; a subject keeps no reference to its
// observers, so an observer detaches before it goes.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

struct IObserver;

// {F7D6C0D1-331F-11D1-8CEC-00C0D1570D74}
inline constexpr GUID IID_ISubject = {
    0xF7D6C0D1, 0x331F, 0x11D1, {0x8C, 0xEC, 0x00, 0xC0, 0xD1, 0x57, 0x0D, 0x74}};

// Announced for a debug-information object when it is made and when it is destroyed.
inline constexpr uint32_t kAnnounceObjectMade = 0x80030000u;
inline constexpr uint32_t kAnnounceObjectDestroyed = 0x80030003u;

struct ISubject : IUnknown {
  // Slot 3: announces eventCode about object to the subject's observers.
  virtual HRESULT STDMETHODCALLTYPE Announce(uint32_t eventCode, IUnknown* object) = 0;
  // Slot 4: observer hears the subject's notifications (IObserver slot 4) from now on; S_FALSE
  // when it does already.
  virtual HRESULT STDMETHODCALLTYPE Attach(IObserver* observer) = 0;
  // Slot 5: S_FALSE when observer was not attached.
  virtual HRESULT STDMETHODCALLTYPE Detach(IObserver* observer) = 0;
};
