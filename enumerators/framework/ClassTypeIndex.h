// The host type registry's 16-bit class index of an enumerator class id.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

namespace CalcEnums {

// Registers the GUID with the host type registry and answers its class index; 0 when the
// registry cannot be reached (ids then carry only their number, which the module tolerates).
uint16_t RegisteredIndexOf(const GUID& classId);

// Keeps a class index once the registry has given one. A 0 (the registry could not be reached yet) is not
// kept: the next call asks again, so a registry that becomes available later still gives its index.
class ClassIndexCache {
 public:
  template <class Lookup>
  uint16_t Get(const GUID& classId, Lookup lookup) {
    uint32_t index = mIndex.load(std::memory_order_acquire);
    if (index != 0) return static_cast<uint16_t>(index);
    index = lookup(classId);
    if (index != 0) mIndex.store(index, std::memory_order_release);
    return static_cast<uint16_t>(index);
  }

 private:
  std::atomic<uint32_t> mIndex{0};
};

}  // namespace CalcEnums
