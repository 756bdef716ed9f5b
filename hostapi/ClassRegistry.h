// Host framework class registry: the framework class (CLSID_LumoFrameWork) and its registry of class objects and services.
// Ownership: out-parameters are cleared first and filled with one reference for the caller;
// a registered class object is kept with a reference of the registry's own for the process.
#pragma once

#include "hostapi/LumoClassObject.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// The framework library's class ("Lumo.dll"): {818DA440-8037-11D3-80BC-005004AD3C53}
inline constexpr GUID CLSID_LumoFrameWork = {
    0x818DA440, 0x8037, 0x11D3, {0x80, 0xBC, 0x00, 0x50, 0x04, 0xAD, 0x3C, 0x53}};
// {3CAD4551-2F23-11D1-8CE9-00C0D1570D74}
inline constexpr GUID IID_IClassRegistry = {
    0x3CAD4551, 0x2F23, 0x11D1, {0x8C, 0xE9, 0x00, 0xC0, 0xD1, 0x57, 0x0D, 0x74}};

// The file name of the framework library, looked for beside the host executable.
inline constexpr wchar_t kLumoLibraryName[] = L"Lumo.dll";

// Service ids answered by GetClassObject besides type ids ((class index << 16) | number).
inline constexpr uint32_t kObjectFactoryServiceId = 0x8000000Au;
inline constexpr uint32_t kGenericClassServiceId = 0x8000000Fu;
inline constexpr uint32_t kDocumentServiceId = 0x80000011u;
inline constexpr uint32_t kDocumentClassServiceId = 0x80000012u;
inline constexpr uint32_t kMenuServiceId = 0x80000013u;
inline constexpr uint32_t kMenuRootServiceId = 0x80000014u;

struct IClassRegistry : IUnknown {
  // Slot 3: a new instance of the class registered under classId, aggregated by outer
  // when outer is not null (then iid must be IID_IUnknown and *object is the inner unknown).
  virtual HRESULT STDMETHODCALLTYPE CreateInstance(uint32_t classId, IUnknown* outer, REFIID iid,
                                                   void** object) = 0;
  // Slot 4: the host's own; not used by the module.
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  // Slot 5: the class object registered under id, or the framework service of that id,
  // as iid. Answers S_OK with a non-null pointer, or a failure with null.
  virtual HRESULT STDMETHODCALLTYPE GetClassObject(uint32_t id, REFIID iid, void** object) = 0;
  // Slot 6: registers a class object under its type id (and, for calculation-enumerator
  // classes, under its formula name and aliases). A later registration of the same type id
  // replaces the earlier one.
  virtual HRESULT STDMETHODCALLTYPE RegisterClassObject(ILumoClassObject* classObject) = 0;
  // Slot 7 (the host's own, for its class listing): how many class objects are registered.
  virtual HRESULT STDMETHODCALLTYPE GetClassCount(uint32_t* count) = 0;
  // Slot 8 (the host's own): the class object at index, in registration order;
  // E_INVALIDARG past the end.
  virtual HRESULT STDMETHODCALLTYPE GetClassAt(uint32_t index, ILumoClassObject** classObject) = 0;
};
