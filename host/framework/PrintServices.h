// The framework's print service (over the application's frame) and the process-wide copy
// service.
#pragma once

#include <unknwn.h>

#include <cstdint>

namespace lumo {

IUnknown* PrintServiceObject() noexcept;
IUnknown* CopyServiceObject() noexcept;
// The language the application's user interface reports (the system's until a test sets one).
uint16_t HostLanguage() noexcept;

}  // namespace lumo
