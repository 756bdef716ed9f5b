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

constexpr SettingRow Bool(int32_t id, bool on) {
  return {id, kSettingBool, on ? 1.0 : 0.0, 0, 0, kPage, kMask};
}
constexpr SettingRow Long(int32_t id, double value, double minimum, double maximum) {
  return {id, kSettingLong, value, minimum, maximum, kPage, kMask};
}
constexpr SettingRow Marker(int32_t id) { return Long(id, -1, -1, kLargestLong); }
constexpr SettingRow AxisValue(int32_t id) {
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
    Bool(kSettingFirstPlotSeries, true),
    Bool(kSettingFirstPlotSeries + 1, true),
    Bool(kSettingFirstPlotSeries + 2, true),
    Bool(kSettingFirstPlotSeries + 3, true),
    Bool(kSettingFirstPlotSeries + 4, true),
    Bool(kSettingFirstPlotSeries + 5, true),
    Bool(kSettingFirstPlotSeries + 6, true),
    Bool(kSettingFirstPlotSeries + 7, true),
    Bool(kSettingFirstPlotSeries + 8, true),
    Bool(kSettingFirstPlotSeries + 9, true),
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
