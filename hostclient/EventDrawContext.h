// What the event draw classes learn from the analysis document about an event: its number in
// its record and the unit of the analysed channel. The document installs the provider.
#pragma once

#include <unknwn.h>

#include <cstdint>

#include "base/UnitPrefix.h"

struct EventDrawContextProvider {
  // The event's number within its record counted from 0, or -1 when it cannot be found.
  int32_t (*eventNumberInRecord)(IUnknown* hostData, int32_t recordIndex, int32_t tick);
  // The unit of the analysed channel in the record; false when it cannot be found.
  bool (*analysisChannelUnit)(IUnknown* hostData, int32_t recordIndex, QOR::UnitWithPrefix& unit);
};

// Replaces the provider (null members: the defaults, number -1 and no unit).
void SetEventDrawContextProvider(const EventDrawContextProvider& provider) noexcept;
const EventDrawContextProvider& GetEventDrawContextProvider() noexcept;
