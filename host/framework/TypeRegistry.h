// The framework's type registry: the stand-in's own view of GUID class indexes, for its other services and tests.
#pragma once

#include <windows.h>

#include <cstdint>

namespace lumo {

// The class index of guid, registering it on first sight (1 to 0x7FFF, so that
// type ids never reach the service ids from 0x80000000); 0 when the table is full.
uint16_t ClassIndexOf(const GUID& guid) noexcept;
// How many times a module asked for the index of guid (ITypeRegistry slot 3).
uint32_t GuidRequestCount(const GUID& guid) noexcept;

}  // namespace lumo
