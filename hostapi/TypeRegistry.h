// Host framework type registry: GUIDs to 16-bit class indexes, and ids to names.
// Ownership: strings handed out carry one reference for the caller; strings passed in are
// borrowed for the call.
#pragma once

#include "hostapi/QORString.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {E5140871-1524-11D1-8CCE-00C0D1570D74}
inline constexpr GUID IID_ITypeRegistry = {
    0xE5140871, 0x1524, 0x11D1, {0x8C, 0xCE, 0x00, 0xC0, 0xD1, 0x57, 0x0D, 0x74}};

struct ITypeRegistry : IUnknown {
  // Slot 3: the class index of guid, registering it on first sight. The index is non-zero
  // and stays the same for the life of the process.
  virtual HRESULT STDMETHODCALLTYPE RegisterGuid(const GUID* guid, uint16_t* classIndex) = 0;
  // Slot 4: the GUID registered under classIndex; E_INVALIDARG for an unknown index.
  virtual HRESULT STDMETHODCALLTYPE GetGuid(uint32_t classIndex, GUID* guid) = 0;
  // Slot 5: the host's own; not used by the module.
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  // Slot 6: the registered name of a 32-bit id (a class object's or a message class
  // object's); reserved is 0. S_FALSE and a null name when the id has none.
  virtual HRESULT STDMETHODCALLTYPE GetIdName(uint32_t reserved, uint32_t id,
                                              QOR::IQORString** name) = 0;
  // Slot 7: the value a text stands for: a registered name gives its id, a decimal or
  // 0x-hexadecimal number its value; E_INVALIDARG (value untouched) for anything else.
  virtual HRESULT STDMETHODCALLTYPE TextToValue(uint32_t reserved, QOR::IQORString* text,
                                                uint32_t* value) = 0;
};
