// The ids of the analysis document's settings that the analyze command reads or writes, as a
// user gives them to --set: each named once here for the command's files.
#pragma once

#include <cstdint>

namespace ondara_host {

// Global settings.
inline constexpr int32_t kTypeSetting = 2000;              // the analysis type, by number
inline constexpr int32_t kChannelSetting = 2001;           // the analysis channel, counted from 0
inline constexpr int32_t kAnalyseSelectionSetting = 2004;  // t: the selection, not the whole channel
inline constexpr int32_t kWhileSamplingSetting = 2009;     // t: analyse while sampling
// The ids of the host objects that hold the source, the detector and the calculation's markers.
inline constexpr int32_t kCalculationObjectSetting = 2025;  // the object of the whole analysis's formula
inline constexpr int32_t kMarkerObjectSettings[] = {2023, 2024, kCalculationObjectSetting};

// Settings of the analysis channel.
inline constexpr int32_t kStimulusMethodSetting = 1000;  // 2 time from the record's start, 3 and 4 a pulse
inline constexpr int32_t kCardiacWidthSetting = 1001;    // minimum peak width at half height, ms
inline constexpr int32_t kStimulusHeightSetting = 1002;  // minimum stimulus pulse, base unit (Evoked Response)
inline constexpr int32_t kStimulusWidthSetting = 1003;   // maximum stimulus pulse width, ms
inline constexpr int32_t kStimulusTimeSetting = 1005;    // the stimulus's time from the record's start, ms
inline constexpr int32_t kHeightSetting = 1006;          // minimum peak height, base unit
inline constexpr int32_t kResponseStartSetting = 1007;   // the response search's start after the stimulus, ms
inline constexpr int32_t kResponseEndSetting = 1008;     // the response search's end after the stimulus, ms
inline constexpr int32_t kResponseSearchSetting = 1009;  // f: the response detector gets "1, 0, 0"
inline constexpr int32_t kCycleDetectionSetting = 1010;  // the host's cycle detector's settings
inline constexpr int32_t kSpikeStimulusHeightSetting = 1028;  // minimum stimulus pulse (Population Spike)
inline constexpr int32_t kNeuronWidthSetting = 1035;     // minimum peak width at half height, ms
inline constexpr int32_t kWidthFilterSetting = 1036;     // t: the width filter is on

}  // namespace ondara_host
