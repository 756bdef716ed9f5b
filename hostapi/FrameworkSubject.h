// Host framework subject: announcements of objects made and destroyed (ISubject).
// Ownership: the announced object is borrowed for the call.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {F7D6C0D1-331F-11D1-8CEC-00C0D1570D74}
inline constexpr GUID IID_ISubject = {
    0xF7D6C0D1, 0x331F, 0x11D1, {0x8C, 0xEC, 0x00, 0xC0, 0xD1, 0x57, 0x0D, 0x74}};

// Announced for a debug-information object when it is made and when it is destroyed.
inline constexpr uint32_t kAnnounceObjectMade = 0x80030000u;
inline constexpr uint32_t kAnnounceObjectDestroyed = 0x80030003u;

struct ISubject : IUnknown {
  // Slot 3: announces eventCode about object to the subject's observers.
  virtual HRESULT STDMETHODCALLTYPE Announce(uint32_t eventCode, IUnknown* object) = 0;
};
