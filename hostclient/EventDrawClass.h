// ScrivoClient::TEventDrawClass: the class objects the host asks for the colour and tooltip of
// the events the module's enumerators report, one per event type number.
#pragma once

#include "hostapi/EventDrawClass.h"
#include "hostapi/LumoClassObject.h"

#include <windows.h>

#include <cstdint>

namespace ScrivoClient {

// The colours of event marks (COLORREF 0x00BBGGRR).
inline constexpr COLORREF kPeakGreen = 0x0021AC7A;
inline constexpr COLORREF kStimulusOrange = 0x0037B4FF;
inline constexpr COLORREF kPreviewTeal = 0x00C1D286;
inline constexpr COLORREF kNoDrawMagenta = 0x009B1DE3;

inline constexpr int32_t kEventDrawClassCount = 5;

// A new draw class object of type number n (0-4) with a count of 0, as its ILumoClassObject
// part; null for another number or when memory is short.
ILumoClassObject* NewEventDrawClass(int32_t n) noexcept;

}  // namespace ScrivoClient
