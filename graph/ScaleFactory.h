// The host's drag-scale factory, found once per process, and the creation of axis scales through it.
#pragma once

#include "hostapi/DragScale.h"

#include <cstdint>

namespace MGraph1 {

// The factory without a reference for the caller (the class registry keeps it alive), or null
// when the framework offers none; a failed look-up is tried again on the next call.
IDragScaleFactory* GetScaleFactory() noexcept;

// A new scale from the factory into *scale (null when there is no factory or it refuses).
HRESULT CreateScale(IDragScale** scale, int32_t value1, int32_t value2, uint32_t flags) noexcept;

}  // namespace MGraph1
