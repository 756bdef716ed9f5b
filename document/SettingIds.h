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

// Per-channel settings. Times in ms after what the comment names.
inline constexpr int32_t kSettingStimulusMethod = 1000;        // int, 2 to 4 select a detector
inline constexpr int32_t kSettingMinPeakWidthCAP = 1001;       // double, ms at half height
inline constexpr int32_t kSettingMinStimulusHeightER = 1002;   // double, base unit, Evoked Response
inline constexpr int32_t kSettingMaxArtifactWidth = 1003;      // double, ms
inline constexpr int32_t kSettingSearchStart = 1004;           // double, the block's start, one stimulus per block
inline constexpr int32_t kSettingStimulusPosition = 1005;      // double, the block's start
inline constexpr int32_t kSettingMinPeakHeight = 1006;         // double, base unit
inline constexpr int32_t kSettingDetectionStart = 1007;        // double, the stimulus artifact
inline constexpr int32_t kSettingDetectionEnd = 1008;          // double, the stimulus artifact
inline constexpr int32_t kSettingPassPeakLimits = 1009;        // Bool, Evoked Response
inline constexpr int32_t kSettingDetectionSettings = 1010;     // the Periodix settings object
inline constexpr int32_t kSettingTriangulationStart = 1011;    // int, APD level, a multiple of 10
inline constexpr int32_t kSettingTriangulationEnd = 1012;      // int, APD level, a multiple of 10
inline constexpr int32_t kSettingMidPlateauPercent = 1013;     // int
inline constexpr int32_t kSettingPlateauLevelWidth = 1014;     // double, ms
inline constexpr int32_t kSettingAreaStart = 1015;             // double, the peak's start
inline constexpr int32_t kSettingAreaEnd = 1016;               // double
inline constexpr int32_t kSettingRiseStart = 1017;             // int, percent of the height
inline constexpr int32_t kSettingRiseEnd = 1018;               // int
inline constexpr int32_t kSettingTauFitOld = 1019;             // Bool, older form of kSettingTauMode
inline constexpr int32_t kSettingSlopeStart = 1020;            // double, the peak's start
inline constexpr int32_t kSettingSlopeEnd = 1021;              // double
inline constexpr int32_t kSettingValueLocation = 1022;         // double, the stimulus artifact
inline constexpr int32_t kSettingSpareTimeFirst = 1023;        // double, Population Spike, read by nothing
inline constexpr int32_t kSettingSpareTimeSecond = 1024;       // double, Population Spike, read by nothing
inline constexpr int32_t kSettingPlateauCentre = 1025;         // int, percent
inline constexpr int32_t kSettingPlateauVoltageWidth = 1026;   // double, ms
inline constexpr int32_t kSettingMinArtifactInterval = 1027;   // double, ms between stimulus artifacts
inline constexpr int32_t kSettingMinStimulusHeightPS = 1028;   // double, base unit, Population Spike
inline constexpr int32_t kSettingTauStart = 1029;              // int, percent of the height
inline constexpr int32_t kSettingTauEnd = 1030;                // int
inline constexpr int32_t kSettingMaxNegSlopeStart = 1031;      // int, ms after the peak
inline constexpr int32_t kSettingMaxNegSlopeSmoothing = 1032;  // double, ms, the regression window
inline constexpr int32_t kSettingStartHeightPercent = 1033;    // int
inline constexpr int32_t kSettingStartHeightPercentAP = 1034;  // int, Action Potential
inline constexpr int32_t kSettingMinPeakWidthAP = 1035;        // double, ms at half height
inline constexpr int32_t kSettingPeakWidthFilter = 1036;       // Bool
inline constexpr int32_t kSettingTauMode = 1037;               // int
inline constexpr int32_t kSettingTauFixedValue = 1038;         // double, B when kSettingTauMode holds 2
inline constexpr int32_t kSettingBaselineMode = 1039;          // int
inline constexpr int32_t kSettingBaselineValue = 1040;         // double, the fixed baseline
inline constexpr int32_t kSettingEndHeightPercent = 1041;      // int

}  // namespace ZR::Doc
