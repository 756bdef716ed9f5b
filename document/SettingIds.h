// The ids of the settings that code reads or writes by id, each named once here after its row in
// the settings catalogue (GlobalSettings.cpp, Settings1.cpp).
#pragma once

#include <cstdint>

namespace ZR::Doc {

// Global settings have ids 2000 to 2999; every other id belongs to a per-channel group.
inline constexpr int32_t kFirstGlobalSettingId = 2000;
inline constexpr int32_t kLastGlobalSettingId = 2999;

// Global settings.
inline constexpr int32_t kSettingAnalysisType = 2000;         // int, AnalysisType
inline constexpr int32_t kSettingAnalysisChannel = 2001;      // long, channel counted from 0
inline constexpr int32_t kSettingSummaryRows = 2002;          // Bool, Table View summary rows shown
inline constexpr int32_t kSettingSettingsTab = 2003;          // int, tab of the settings dialog shown last
inline constexpr int32_t kSettingAnalyseSelection = 2004;     // Bool, the host selection, not the whole channel
inline constexpr int32_t kSettingRegionStartRecord = 2005;    // long, stored region
inline constexpr int32_t kSettingRegionStartTick = 2006;      // long
inline constexpr int32_t kSettingRegionEndRecord = 2007;      // long, -1 with 2008 -1: open to the data's end
inline constexpr int32_t kSettingRegionEndTick = 2008;        // long
inline constexpr int32_t kSettingWhileSampling = 2009;        // Bool, analyse while sampling
inline constexpr int32_t kSettingShowPeakMarkers = 2010;      // Bool
inline constexpr int32_t kSettingRegionStored = 2011;         // Bool, an analysed region is stored
inline constexpr int32_t kSettingNoRegionStored = 2012;       // Bool, the region reads as all zero while set
inline constexpr int32_t kSettingFirstPlotSeries = 2013;      // Bool, Analysis View plot series 1 to 10 shown
inline constexpr int32_t kSettingSourceObject = 2023;         // long, host id of the source marker object
inline constexpr int32_t kSettingDetectorObject = 2024;       // long, the detector formula's marker object
inline constexpr int32_t kSettingAnalysisObject = 2025;       // long, the whole analysis formula's marker object
inline constexpr int32_t kSettingShowLatestRow = 2026;        // Bool, the Table View switch
inline constexpr int32_t kSettingAxisXLow = 2027;             // double, Analysis View axis range
inline constexpr int32_t kSettingAxisXHigh = 2028;            // double
inline constexpr int32_t kSettingAxisYLow = 2029;             // double
inline constexpr int32_t kSettingAxisYHigh = 2030;            // double

// The stored region, in the order of its four words.
inline constexpr int32_t kSettingsRegion[] = {kSettingRegionStartRecord, kSettingRegionStartTick,
                                              kSettingRegionEndRecord, kSettingRegionEndTick};
// The three marker objects, in the order they are made.
inline constexpr int32_t kSettingsMarkerObjects[] = {kSettingSourceObject, kSettingDetectorObject,
                                                     kSettingAnalysisObject};

// Per-channel settings.
inline constexpr int32_t kSettingStimulusMethod = 1000;     // int, 2 to 4 select a detector
inline constexpr int32_t kSettingMinPeakWidthCAP = 1001;    // double, ms at half height
inline constexpr int32_t kSettingMinPeakHeight = 1006;      // double, base unit
inline constexpr int32_t kSettingPassPeakLimits = 1009;     // Bool, Evoked Response
inline constexpr int32_t kSettingDetectionSettings = 1010;  // the Periodix settings object
inline constexpr int32_t kSettingTauFitOld = 1019;          // Bool, older form of 1037
inline constexpr int32_t kSettingSlopeStart = 1020;         // double, ms
inline constexpr int32_t kSettingSlopeEnd = 1021;           // double, ms
inline constexpr int32_t kSettingPeakWidthFilter = 1036;    // Bool
inline constexpr int32_t kSettingTauMode = 1037;            // int
inline constexpr int32_t kSettingBaselineMode = 1039;       // int

}  // namespace ZR::Doc
