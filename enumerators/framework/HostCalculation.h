// Has the host attach a formula calculation, given as two texts, to one channel of a document.
#pragma once

#include "base/String.h"

#include <unknwn.h>

#include <cstdint>

struct IClassRegistry;

namespace ExtLib {

// hostObject: any interface of the host's data file or document. calcClassId: the type id of
// the host's calculation class. True when the host took the calculation (its final answer S_OK).
bool CreateHostCalculation(IUnknown* hostObject, uint32_t calcClassId, const QOR::String& first,
                           const QOR::String& second, int32_t channel, uint32_t channelFlags);

// The same through the given class registry.
bool CreateHostCalculation(IClassRegistry* registry, IUnknown* hostObject, uint32_t calcClassId,
                           const QOR::String& first, const QOR::String& second, int32_t channel,
                           uint32_t channelFlags);

}  // namespace ExtLib
