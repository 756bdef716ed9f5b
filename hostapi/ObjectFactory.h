// Host framework object factory: instances of registered classes by 32-bit class id.
// Ownership: the object handed out carries one reference for the caller.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// Reached through the class registry's GetClassObject with kObjectFactoryServiceId.
// {9D2010C0-F064-11D1-B370-008048E6CE18}
inline constexpr GUID IID_IObjectFactory = {
    0x9D2010C0, 0xF064, 0x11D1, {0xB3, 0x70, 0x00, 0x80, 0x48, 0xE6, 0xCE, 0x18}};

struct IObjectFactory : IUnknown {
  // Slots 3-9: the host's own; not used by the module.
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved9() = 0;
  // Slot 10: a new instance of the class registered under classId (reserved is 0),
  // answered as its IUnknown.
  virtual HRESULT STDMETHODCALLTYPE CreateByClassId(uint32_t classId, uint32_t reserved,
                                                    IUnknown** object) = 0;
};
