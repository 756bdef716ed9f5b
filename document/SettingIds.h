// Numbers of the settings that the settings model itself refers to.
#pragma once

#include <cstdint>

namespace ZR::Doc {

// Global settings have ids 2000 to 2999; every other id belongs to a per-channel group.
inline constexpr int32_t kFirstGlobalSettingId = 2000;
inline constexpr int32_t kLastGlobalSettingId = 2999;

inline constexpr int32_t kSettingAnalysisType = 2000;     // int, AnalysisType
inline constexpr int32_t kSettingAnalysisChannel = 2001;  // long, channel counted from 0

inline constexpr int32_t kSettingStimulusMethod = 1000;     // int, 2 to 4 select a detector
inline constexpr int32_t kSettingDetectionSettings = 1010;  // the Periodix settings object
inline constexpr int32_t kSettingTauFitOld = 1019;          // Bool, older form of 1037
inline constexpr int32_t kSettingTauMode = 1037;            // int
inline constexpr int32_t kSettingBaselineMode = 1039;       // int

}  // namespace ZR::Doc
