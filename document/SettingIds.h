// The type of a setting's id, and the ids of the settings that code reads or writes by id, each
// named once here after its row in the settings catalogue (GlobalSettings.cpp, Settings1.cpp).
#pragma once

#include <cstdint>

namespace ZR::Doc {

// A setting's id: a type of its own, so that no other number (a tick count, a control id, a
// parameter's measurement index) passes for one and a bare number given to a settings accessor
// does not compile. SettingIdOf is the one way from a number to an id; it is used only where a
// stored stream or a host call carries the number (scripts/test holds it there).
class SettingId {
 public:
  // No setting (kNoSetting), for tables filled in later.
  constexpr SettingId() noexcept = default;

  friend constexpr SettingId SettingIdOf(int32_t number) noexcept;
  friend constexpr int32_t NumberOf(SettingId id) noexcept;

  friend constexpr bool operator==(SettingId a, SettingId b) noexcept { return a.mNumber == b.mNumber; }
  friend constexpr bool operator!=(SettingId a, SettingId b) noexcept { return a.mNumber != b.mNumber; }
  friend constexpr bool operator<(SettingId a, SettingId b) noexcept { return a.mNumber < b.mNumber; }
  friend constexpr bool operator<=(SettingId a, SettingId b) noexcept { return a.mNumber <= b.mNumber; }
  friend constexpr bool operator>(SettingId a, SettingId b) noexcept { return a.mNumber > b.mNumber; }
  friend constexpr bool operator>=(SettingId a, SettingId b) noexcept { return a.mNumber >= b.mNumber; }

 private:
  constexpr explicit SettingId(int32_t number) noexcept : mNumber(number) {}

  int32_t mNumber = -1;
};
static_assert(sizeof(SettingId) == sizeof(int32_t), "an id is its number");

constexpr SettingId SettingIdOf(int32_t number) noexcept { return SettingId(number); }
constexpr int32_t NumberOf(SettingId id) noexcept { return id.mNumber; }

// No setting: a control bound to none, the error text no setting has.
inline constexpr SettingId kNoSetting = SettingIdOf(-1);

// Global settings have ids 2000 to 2999; every other id belongs to a per-channel group.
inline constexpr SettingId kFirstGlobalSettingId = SettingIdOf(2000);
inline constexpr SettingId kLastGlobalSettingId = SettingIdOf(2999);

// Global settings.
inline constexpr SettingId kSettingAnalysisType = SettingIdOf(2000);       // int, AnalysisType
inline constexpr SettingId kSettingAnalysisChannel = SettingIdOf(2001);    // long, channel counted from 0
inline constexpr SettingId kSettingSummaryRows = SettingIdOf(2002);        // Bool, Table View summary rows shown
inline constexpr SettingId kSettingSettingsTab = SettingIdOf(2003);        // int, the settings dialog's last tab
inline constexpr SettingId kSettingAnalyseSelection = SettingIdOf(2004);   // Bool, the host selection, not the channel
inline constexpr SettingId kSettingRegionStartRecord = SettingIdOf(2005);  // long, stored region
inline constexpr SettingId kSettingRegionStartTick = SettingIdOf(2006);    // long
inline constexpr SettingId kSettingRegionEndRecord = SettingIdOf(2007);    // long, -1 with 2008 -1: open to the end
inline constexpr SettingId kSettingRegionEndTick = SettingIdOf(2008);      // long
inline constexpr SettingId kSettingWhileSampling = SettingIdOf(2009);      // Bool, analyse while sampling
inline constexpr SettingId kSettingShowPeakMarkers = SettingIdOf(2010);    // Bool
inline constexpr SettingId kSettingRegionStored = SettingIdOf(2011);       // Bool, an analysed region is stored
inline constexpr SettingId kSettingNoRegionStored = SettingIdOf(2012);     // Bool, the region reads as zero while set
inline constexpr SettingId kSettingFirstPlotSeries = SettingIdOf(2013);    // Bool, Analysis View plot series 1 to 10
inline constexpr SettingId kSettingSourceObject = SettingIdOf(2023);       // long, host id of the source marker object
inline constexpr SettingId kSettingDetectorObject = SettingIdOf(2024);     // long, the detector formula's marker object
inline constexpr SettingId kSettingAnalysisObject = SettingIdOf(2025);     // long, the analysis formula's marker object
inline constexpr SettingId kSettingShowLatestRow = SettingIdOf(2026);      // Bool, the Table View switch
inline constexpr SettingId kSettingAxisXLow = SettingIdOf(2027);           // double, Analysis View axis range
inline constexpr SettingId kSettingAxisXHigh = SettingIdOf(2028);          // double
inline constexpr SettingId kSettingAxisYLow = SettingIdOf(2029);           // double
inline constexpr SettingId kSettingAxisYHigh = SettingIdOf(2030);          // double

// The stored region, in the order of its four words.
inline constexpr SettingId kSettingsRegion[] = {kSettingRegionStartRecord, kSettingRegionStartTick,
                                                kSettingRegionEndRecord, kSettingRegionEndTick};
// Bool, the Analysis View's plot series n (1 to 10) shown; kNoSetting for another n, which would
// name some other setting.
constexpr SettingId PlotSeriesSetting(int32_t n) noexcept {
  return n >= 1 && n <= 10 ? SettingIdOf(NumberOf(kSettingFirstPlotSeries) + n - 1) : kNoSetting;
}
// The three marker objects, in the order they are made.
inline constexpr SettingId kSettingsMarkerObjects[] = {kSettingSourceObject, kSettingDetectorObject,
                                                       kSettingAnalysisObject};

// Per-channel settings. Times in ms after what the comment names.
inline constexpr SettingId kSettingStimulusMethod = SettingIdOf(1000);        // int, 2 to 4 select a detector
inline constexpr SettingId kSettingMinPeakWidthCAP = SettingIdOf(1001);       // double, ms at half height
inline constexpr SettingId kSettingMinStimulusHeightER = SettingIdOf(1002);   // double, base unit, Evoked Response
inline constexpr SettingId kSettingMaxArtifactWidth = SettingIdOf(1003);      // double, ms
inline constexpr SettingId kSettingSearchStart = SettingIdOf(1004);           // double, the block's start, method 4
inline constexpr SettingId kSettingStimulusPosition = SettingIdOf(1005);      // double, the block's start
inline constexpr SettingId kSettingMinPeakHeight = SettingIdOf(1006);         // double, base unit
inline constexpr SettingId kSettingDetectionStart = SettingIdOf(1007);        // double, the stimulus artifact
inline constexpr SettingId kSettingDetectionEnd = SettingIdOf(1008);          // double, the stimulus artifact
inline constexpr SettingId kSettingPassPeakLimits = SettingIdOf(1009);        // Bool, Evoked Response
inline constexpr SettingId kSettingDetectionSettings = SettingIdOf(1010);     // the Periodix settings object
inline constexpr SettingId kSettingTriangulationStart = SettingIdOf(1011);    // int, APD level, a multiple of 10
inline constexpr SettingId kSettingTriangulationEnd = SettingIdOf(1012);      // int, APD level, a multiple of 10
inline constexpr SettingId kSettingMidPlateauPercent = SettingIdOf(1013);     // int
inline constexpr SettingId kSettingPlateauLevelWidth = SettingIdOf(1014);     // double, ms
inline constexpr SettingId kSettingAreaStart = SettingIdOf(1015);             // double, the peak's start
inline constexpr SettingId kSettingAreaEnd = SettingIdOf(1016);               // double
inline constexpr SettingId kSettingRiseStart = SettingIdOf(1017);             // int, percent of the height
inline constexpr SettingId kSettingRiseEnd = SettingIdOf(1018);               // int
inline constexpr SettingId kSettingTauFitOld = SettingIdOf(1019);             // Bool, older form of kSettingTauMode
inline constexpr SettingId kSettingSlopeStart = SettingIdOf(1020);            // double, the peak's start
inline constexpr SettingId kSettingSlopeEnd = SettingIdOf(1021);              // double
inline constexpr SettingId kSettingValueLocation = SettingIdOf(1022);         // double, the stimulus artifact
inline constexpr SettingId kSettingSpareTimeFirst = SettingIdOf(1023);        // double, Population Spike, unread
inline constexpr SettingId kSettingSpareTimeSecond = SettingIdOf(1024);       // double, Population Spike, unread
inline constexpr SettingId kSettingPlateauCentre = SettingIdOf(1025);         // int, percent
inline constexpr SettingId kSettingPlateauVoltageWidth = SettingIdOf(1026);   // double, ms
inline constexpr SettingId kSettingMinArtifactInterval = SettingIdOf(1027);   // double, ms between stimulus artifacts
inline constexpr SettingId kSettingMinStimulusHeightPS = SettingIdOf(1028);   // double, base unit, Population Spike
inline constexpr SettingId kSettingTauStart = SettingIdOf(1029);              // int, percent of the height
inline constexpr SettingId kSettingTauEnd = SettingIdOf(1030);                // int
inline constexpr SettingId kSettingMaxNegSlopeStart = SettingIdOf(1031);      // int, ms after the peak
inline constexpr SettingId kSettingMaxNegSlopeSmoothing = SettingIdOf(1032);  // double, ms, the regression window
inline constexpr SettingId kSettingStartHeightPercent = SettingIdOf(1033);    // int
inline constexpr SettingId kSettingStartHeightPercentAP = SettingIdOf(1034);  // int, Action Potential
inline constexpr SettingId kSettingMinPeakWidthAP = SettingIdOf(1035);        // double, ms at half height
inline constexpr SettingId kSettingPeakWidthFilter = SettingIdOf(1036);       // Bool
inline constexpr SettingId kSettingTauMode = SettingIdOf(1037);               // int
inline constexpr SettingId kSettingTauFixedValue = SettingIdOf(1038);         // double, B when kSettingTauMode holds 2
inline constexpr SettingId kSettingBaselineMode = SettingIdOf(1039);          // int
inline constexpr SettingId kSettingBaselineValue = SettingIdOf(1040);         // double, the fixed baseline
inline constexpr SettingId kSettingEndHeightPercent = SettingIdOf(1041);      // int

// Ids below this one are column switches.
inline constexpr SettingId kFirstChannelSettingId = kSettingStimulusMethod;
// The Table View's column switch of a catalogue parameter (a Bool on page 3) has the parameter's
// id, its measurement index 0 to 58, for its setting id: the one place a parameter id becomes a
// setting id. kNoSetting for a number no switch has, so that no number passes through it for
// another setting.
constexpr SettingId ColumnSwitchId(int32_t parameterId) noexcept {
  return parameterId >= 0 && parameterId < NumberOf(kFirstChannelSettingId) ? SettingIdOf(parameterId) : kNoSetting;
}

}  // namespace ZR::Doc
