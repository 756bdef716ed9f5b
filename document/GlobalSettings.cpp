// ZR::Doc::GlobalSettings: the settings of a data file's analysis that no channel owns.
#include "document/GlobalSettings.h"

#include "document/SettingIds.h"
#include "document/SettingRowPrivate.h"

namespace ZR::Doc {
namespace {

// Every global setting is on page 4 and applies to types 0 to 4: validating for type 5
// checks none of them.
constexpr int32_t kPage = 4;
constexpr int32_t kMask = Types({0, 1, 2, 3, 4});

constexpr SettingRow Bool(SettingId id, bool on) {
  return {id, kSettingBool, on ? 1.0 : 0.0, 0, 0, kPage, kMask};
}
constexpr SettingRow Long(SettingId id, double value, double minimum, double maximum) {
  return {id, kSettingLong, value, minimum, maximum, kPage, kMask};
}
constexpr SettingRow Marker(SettingId id) { return Long(id, -1, -1, kLargestLong); }
constexpr SettingRow AxisValue(SettingId id) {
  return {id, kSettingDouble, 0, kLowestDouble, kLargestDouble, kPage, kMask};
}

constexpr SettingRow kRows[] = {
    // 6 is kept by the bounds of older files but names no type.
    {kSettingAnalysisType, kSettingInt, 0, 0, 6, kPage, kMask, 5},
    Long(kSettingAnalysisChannel, 0, 0, 32),
    Marker(kSettingSourceObject),
    Marker(kSettingDetectorObject),
    Marker(kSettingAnalysisObject),
    Bool(kSettingSummaryRows, true),
    {kSettingSettingsTab, kSettingInt, 0, 0, 4, kPage, kMask},
    Bool(kSettingAnalyseSelection, false),
    Marker(kSettingRegionStartRecord),
    Marker(kSettingRegionStartTick),
    Marker(kSettingRegionEndRecord),
    Marker(kSettingRegionEndTick),
    Bool(kSettingWhileSampling, false),
    Bool(kSettingShowPeakMarkers, true),
    Bool(kSettingRegionStored, false),
    Bool(kSettingNoRegionStored, true),
    // The Analysis View's plot series 1 to 10.
    Bool(PlotSeriesSetting(1), true),
    Bool(PlotSeriesSetting(2), true),
    Bool(PlotSeriesSetting(3), true),
    Bool(PlotSeriesSetting(4), true),
    Bool(PlotSeriesSetting(5), true),
    Bool(PlotSeriesSetting(6), true),
    Bool(PlotSeriesSetting(7), true),
    Bool(PlotSeriesSetting(8), true),
    Bool(PlotSeriesSetting(9), true),
    Bool(PlotSeriesSetting(10), true),
    Bool(kSettingShowLatestRow, false),
    AxisValue(kSettingAxisXLow),
    AxisValue(kSettingAxisXHigh),
    AxisValue(kSettingAxisYLow),
    AxisValue(kSettingAxisYHigh),
};

}  // namespace

GlobalSettings::GlobalSettings() {
  for (const SettingRow& row : kRows) Add(MakeSetting(row));
}

}  // namespace ZR::Doc
