// ZR::Doc::Settings1: the settings of one analysis channel, with the Table View's column switches.
#include "document/Settings1.h"

#include "document/ParamCatalogue.h"
#include "document/SettingIds.h"
#include "document/SettingRowPrivate.h"
#include "document/ZRSettingIO.h"
#include "document/ZRSetting_Bool.h"

namespace ZR::Doc {
namespace {

constexpr SettingRow Time(SettingId id, double ms, int32_t page, int32_t mask) {
  return {id, kSettingDouble, ms, 0, 99999, page, mask};
}
constexpr SettingRow Height(SettingId id, double value, int32_t page, int32_t mask) {
  return {id, kSettingDouble, value, 0, kLargestDouble, page, mask};
}
constexpr SettingRow Percent(SettingId id, double value, int32_t mask) {
  return {id, kSettingInt, value, 0, 100, 2, mask};
}
constexpr SettingRow Bool(SettingId id, bool on, int32_t page, int32_t mask) {
  return {id, kSettingBool, on ? 1.0 : 0.0, 0, 0, page, mask};
}

// In stream order. Times in ms.
constexpr SettingRow kRows[] = {
    // Page 0: stimulus detection.
    {kSettingStimulusPosition, kSettingDouble, 50, 0, 2e9, 0, Types({3, 4})},
    Time(kSettingMaxArtifactWidth, 1, 0, Types({3, 4})),
    Height(kSettingMinStimulusHeightER, 1, 0, Types({3})),
    Height(kSettingMinStimulusHeightPS, 0.0005, 0, Types({4})),
    // Stimulus method 2 to 4; 5 is valid too but selects no detector (an analysis then says so).
    {kSettingStimulusMethod, kSettingInt, 4, 2, 5, 0, Types({3, 4})},
    Time(kSettingSearchStart, 10, 0, Types({3, 4})),
    // Page 1: peak detection.
    Height(kSettingMinPeakHeight, 0.03, 1, Types({1, 3})),
    Time(kSettingDetectionStart, 0, 1, Types({3})),
    Time(kSettingDetectionEnd, 100, 1, Types({3})),
    Bool(kSettingPassPeakLimits, true, 1, Types({1, 3})),
    {kSettingDetectionSettings, kSettingDetectionSet, 0, 0, 0, 1, Types({0, 2})},
    Time(kSettingMinPeakWidthCAP, 50, 1, Types({1})),
    Time(kSettingMinPeakWidthAP, 4, 1, Types({5})),
    Time(kSettingMinArtifactInterval, 10, 1, Types({3, 4})),
    Bool(kSettingPeakWidthFilter, true, 1, Types({1, 5})),
    // Page 5: baseline and peak limits. Baseline mode 3 is kept by the bounds of older files,
    // but the calculations stop at 2.
    {kSettingBaselineMode, kSettingInt, 0, 0, 3, 5, Types({0, 1, 2, 3}), 2},
    {kSettingBaselineValue, kSettingDouble, 0, kLowestDouble, kLargestDouble, 5, Types({0, 1, 2, 3})},
    {kSettingStartHeightPercent, kSettingInt, 5, 5, 99, 5, Types({0, 1, 2, 3})},
    {kSettingStartHeightPercentAP, kSettingInt, 12, 5, 99, 5, Types({5})},
    {kSettingEndHeightPercent, kSettingInt, 0, 0, 99, 5, Types({0, 1, 2, 3, 5})},
    // Page 2: calculations.
    {kSettingTriangulationStart, kSettingInt10, 40, 0, 100, 2, Types({1})},
    {kSettingTriangulationEnd, kSettingInt10, 90, 0, 100, 2, Types({1})},
    Percent(kSettingMidPlateauPercent, 50, Types({1})),
    Time(kSettingPlateauLevelWidth, 5, 2, Types({1})),
    Time(kSettingAreaStart, 5, 2, Types({0, 2, 3})),
    Time(kSettingAreaEnd, 10, 2, Types({0, 2, 3})),
    Percent(kSettingRiseStart, 10, Types({0, 1, 3, 5})),
    Percent(kSettingRiseEnd, 90, Types({0, 1, 3, 5})),
    Bool(kSettingTauFitOld, true, 2, 0),
    // Tau mode 3 is kept by the bounds of older files, but the calculations stop at 2.
    {kSettingTauMode, kSettingInt, 1, 0, 3, 2, Types({0, 2, 3}), 2},
    {kSettingTauFixedValue, kSettingDouble, 0, kLowestDouble, kLargestDouble, 2, Types({0})},
    Time(kSettingSlopeStart, 10, 2, Types({0})),
    Time(kSettingSlopeEnd, 11, 2, Types({0})),
    Time(kSettingValueLocation, 10, 2, Types({3})),
    Time(kSettingSpareTimeFirst, 10, 2, Types({4})),
    Time(kSettingSpareTimeSecond, 20, 2, Types({4})),
    Percent(kSettingPlateauCentre, 30, Types({1})),
    Time(kSettingPlateauVoltageWidth, 5, 2, Types({1})),
    Percent(kSettingTauStart, 50, Types({0, 2, 3})),
    Percent(kSettingTauEnd, 0, Types({0, 2, 3})),
    {kSettingMaxNegSlopeStart, kSettingInt, 5, 0, 99999, 2, Types({1, 5})},
    {kSettingMaxNegSlopeSmoothing, kSettingDouble, 4, 0.1, 100, 2, Types({1, 5})},
};

struct ColumnSwitch {
  int32_t parameterId;
  bool on;
};

// Parameter ids 6, 7, 8, 22 and 51 have none: no type lists them.
constexpr ColumnSwitch kColumns[] = {
    {0, true},   {1, false},  {2, true},   {3, true},   {4, true},   {5, true},   {9, true},
    {10, false}, {11, true},  {12, true},  {13, true},  {14, true},  {15, true},  {16, true},
    {17, true},  {18, true},  {19, true},  {20, true},  {21, true},  {23, false}, {24, false},
    {25, true},  {26, false}, {27, true},  {28, false}, {29, false}, {30, false}, {31, true},
    {32, false}, {33, true},  {34, false}, {35, false}, {36, false}, {37, true},  {38, false},
    {39, false}, {40, false}, {41, false}, {42, true},  {43, true},  {44, true},  {45, true},
    {52, true},  {46, false}, {47, true},  {48, false}, {49, true},  {50, true},  {53, true},
    {54, true},  {55, true},  {56, true},  {57, true},  {58, false},
};

constexpr int32_t kColumnPage = 3;

int32_t ListingTypes(const ParamCatalogue* catalogue, int32_t parameterId) {
  int32_t mask = 0;
  if (catalogue == nullptr) return mask;
  for (int type = 0; type < kAnalysisTypeCount; ++type) {
    if (catalogue->IndexOfId(type, parameterId) >= 0) mask |= TypeBit(type);
  }
  return mask;
}

}  // namespace

Settings1::Settings1(const ParamCatalogue* catalogue) {
  for (const SettingRow& row : kRows) Add(MakeSetting(row));
  AddColumnSwitches(catalogue);
}

void Settings1::AddColumnSwitches(const ParamCatalogue* catalogue) {
  for (const ColumnSwitch& column : kColumns) {
    Add(new ZRSetting_Bool(ColumnSwitchId(column.parameterId), kColumnPage,
                           ListingTypes(catalogue, column.parameterId), column.on));
  }
}

void Settings1::Upgrade() {
  const auto* old = dynamic_cast<const ZRSetting_Bool*>(FindById(kSettingTauFitOld));
  auto* mode = dynamic_cast<ZRSettingInt*>(FindById(kSettingTauMode));
  if (old != nullptr && mode != nullptr) mode->Set(old->Get() ? 1 : 0);
}

}  // namespace ZR::Doc
