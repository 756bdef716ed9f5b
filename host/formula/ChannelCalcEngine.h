// The host's engine of module channel calculations: aggregated by a module's calculation, it
// runs the calculation's formula and holds each event's value until the next event.
#pragma once

#include "hostapi/ClassRegistry.h"
#include "hostapi/TypeRegistry.h"

#include <unknwn.h>

#include <cstdint>

namespace host {

// Registers the engine's class (kHostUiClassGuid number kChannelCalcEngineNumber), whose
// instances the class registry makes, aggregated by the outer object given.
HRESULT RegisterChannelCalcEngineClass(IClassRegistry* registry, ITypeRegistry* types);

// A new engine aggregated by outer (may be null): its inner unknown with one reference.
HRESULT CreateChannelCalcEngine(IUnknown* outer, IUnknown** inner);

// The flags word the last Prepare of any engine in the process was given (0 before any), for
// tests to see what the calculations ask of the host.
uint32_t LastPrepareFlags() noexcept;

}  // namespace host
