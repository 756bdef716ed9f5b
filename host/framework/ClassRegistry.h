// The framework's class registry: registered class objects by type id, and the host's own classes.
#pragma once

#include "hostapi/LumoClassObject.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>
#include <string>

namespace lumo {

// Creates an instance of a host class: outer (may be null) aggregates it; with an
// outer the IID must be IID_IUnknown.
using HostClassCreateFn = HRESULT (*)(IUnknown* outer, REFIID iid, void** out);

// A class or object of the host itself, named by (GUID, number) like a module's
// class. A host file defines one static registration per class it offers:
//   static HostClassRegistration gEntry(MyGuid, 16, &gObject, &CreateMine);
// The class registry answers GetClassObject for its type id with object and
// CreateInstance with create (either may be null).
class HostClassRegistration {
 public:
  HostClassRegistration(const GUID& guid, uint16_t number, IUnknown* object,
                        HostClassCreateFn create) noexcept;
  HostClassRegistration(const HostClassRegistration&) = delete;
  HostClassRegistration& operator=(const HostClassRegistration&) = delete;

  static const HostClassRegistration* Find(uint32_t typeId) noexcept;
  IUnknown* Object() const noexcept { return mObject; }
  HostClassCreateFn Create() const noexcept { return mCreate; }

 private:
  const GUID& mGuid;
  uint16_t mNumber;
  IUnknown* mObject;
  HostClassCreateFn mCreate;
  const HostClassRegistration* mNext;
};

// The registered class object of typeId, without a reference; null when none.
ILumoClassObject* FindRegisteredClass(uint32_t typeId) noexcept;
// The calculation-enumerator class registered under name or alias (any case),
// without a reference; null when none.
ILumoClassObject* FindCalcEnumClass(const std::wstring& name) noexcept;
// The name a registered class object gives for typeId; false when none.
bool RegisteredClassName(uint32_t typeId, std::wstring& name);
// The type id of the registered class with that name (any case); false when none.
bool RegisteredClassId(const std::wstring& name, uint32_t& typeId);

}  // namespace lumo
