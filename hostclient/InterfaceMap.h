// Interface maps: the table every map-driven object answers QueryInterface from.
#pragma once

#include <unknwn.h>

#include <cstdint>

namespace QOR {

// A routine entry's action: called with the object's start, the requested IID,
// the out pointer and the entry's value. S_OK ends the search.
using InterfaceMapRoutine = HRESULT (*)(void* object, REFIID iid, void** out,
                                        std::uintptr_t value) noexcept;

// One entry. A simple entry (routine null) answers its IID with the interface
// part at `value` bytes from the object's start. A routine entry calls its
// routine; one with a null IID is blind and is tried for every IID. The map
// ends with an all-zero entry.
struct InterfaceMapEntry {
  const IID* iid;
  std::uintptr_t value;
  InterfaceMapRoutine routine;
};

// Answers iid from map for the object starting at object:
// E_INVALIDARG for a null object or map, E_POINTER for a null out pointer;
// IID_IUnknown always answers the first entry's part; a blind routine's failure
// goes on to the next entry, a named routine's failure ends the search with it;
// no match: E_NOINTERFACE. The out pointer is cleared first.
HRESULT QueryInterfaceByMap(void* object, const InterfaceMapEntry* map, REFIID iid,
                            void** out) noexcept;

}  // namespace QOR

// Byte offset of the Iface part inside a Class object, from the compiler's own
// base conversion (never a number written by hand).
#define QOR_INTERFACE_OFFSET(Class, Iface)                                          \
  (reinterpret_cast<std::uintptr_t>(static_cast<Iface*>(reinterpret_cast<Class*>( \
       static_cast<std::uintptr_t>(0x1000)))) -                                    \
   static_cast<std::uintptr_t>(0x1000))

// Map declaration, placed in the class right after its members:
//   QOR_BEGIN_INTERFACE_MAP(MyClass)
//     QOR_INTERFACE_ENTRY(IFirst, IID_IFirst)
//     QOR_INTERFACE_ROUTINE(IID_ISecond, &Routine, 0)
//     QOR_BLIND_ROUTINE(&Companion, 0)
//   QOR_END_INTERFACE_MAP()
// The first entry is the object's IUnknown.
#define QOR_BEGIN_INTERFACE_MAP(Class)                                      \
  using InterfaceMapClass = Class;                                          \
  static const ::QOR::InterfaceMapEntry* GetInterfaceMap() noexcept {       \
    static const ::QOR::InterfaceMapEntry kInterfaceMap[] = {
#define QOR_INTERFACE_ENTRY(Iface, iid) \
  ::QOR::InterfaceMapEntry{&(iid), QOR_INTERFACE_OFFSET(InterfaceMapClass, Iface), nullptr},
#define QOR_INTERFACE_ROUTINE(iid, routine, value) \
  ::QOR::InterfaceMapEntry{&(iid), static_cast<std::uintptr_t>(value), (routine)},
#define QOR_BLIND_ROUTINE(routine, value) \
  ::QOR::InterfaceMapEntry{nullptr, static_cast<std::uintptr_t>(value), (routine)},
#define QOR_END_INTERFACE_MAP()                 \
  ::QOR::InterfaceMapEntry{nullptr, 0, nullptr} \
    };                                          \
    return kInterfaceMap;                       \
  }
