// Host framework class registry: the class-object interface every registered class answers.
// Ownership: out-parameters are filled by the callee and released (or freed) by the caller;
// GetCategory hands out a pointer to a constant that the class object keeps.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>

// {2EC7CEA3-1D34-11D2-B333-008048C36FE8}
inline constexpr GUID IID_ILumoClassObject = {
    0x2EC7CEA3, 0x1D34, 0x11D2, {0xB3, 0x33, 0x00, 0x80, 0x48, 0xC3, 0x6F, 0xE8}};

struct ILumoClassObject : IUnknown {
  // Slot 3: the class's 32-bit type id (class index << 16 | number).
  virtual HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) = 0;
  // Slot 4: pointer to the class's category GUID (may be null).
  virtual HRESULT STDMETHODCALLTYPE GetCategory(const GUID** category) = 0;
  // Slot 5: frees a BSTR already in *name, then sets it to the class name (null when empty).
  virtual HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) = 0;
  // Slot 6: S_OK when the class belongs to the category, else S_FALSE.
  virtual HRESULT STDMETHODCALLTYPE IsCategory(const GUID* category) = 0;
};
