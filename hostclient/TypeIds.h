// Message and type ids: (class index << 16) | number, the class index registered once per GUID.
#pragma once

#include <windows.h>

#include <cstdint>

namespace QOR {

// Asks the framework's type registry for the class index of guid; 0 when the
// registry cannot be reached or refuses.
uint16_t FetchClassIndex(const GUID& guid) noexcept;

constexpr uint32_t MakeTypeId(uint16_t classIndex, uint16_t number) noexcept {
  return (static_cast<uint32_t>(classIndex) << 16) | number;
}

}  // namespace QOR

// The class index of one GUID, fetched from the type registry on the first call
// and kept (also when it is 0 because the fetch failed).
template <const GUID* Guid>
struct RegisteredClassIndex {
  static uint16_t Get() noexcept {
    static const uint16_t index = QOR::FetchClassIndex(*Guid);
    return index;
  }
};

// The id (class index of Guid << 16) | N, computed on the first call and kept.
// GetId(result) writes it into *result and returns result: event tables keep
// the getter's address and call it once when they resolve.
template <const GUID* Guid, uint16_t N>
struct TypeIdClass {
  static uint32_t Id() noexcept {
    static const uint32_t id = QOR::MakeTypeId(RegisteredClassIndex<Guid>::Get(), N);
    return id;
  }
  static uint32_t* GetId(uint32_t* result) noexcept {
    *result = Id();
    return result;
  }
};

// The same value as TypeIdClass, naming message and command ids.
template <const GUID* Guid, uint16_t N>
struct MsgIdClass {
  static uint32_t Id() noexcept { return TypeIdClass<Guid, N>::Id(); }
  static uint32_t* GetId(uint32_t* result) noexcept {
    *result = Id();
    return result;
  }
};

// The getter type event tables store.
using IdGetter = uint32_t* (*)(uint32_t* result) noexcept;
