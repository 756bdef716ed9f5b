// ZR::Doc::Settings1: the settings of one analysis channel, with the Table View's column switches.
#include "document/Settings1.h"

#include "document/ParamCatalogue.h"
#include "document/SettingIds.h"
#include "document/SettingRowPrivate.h"
#include "document/ZRSettingIO.h"
#include "document/ZRSetting_Bool.h"

namespace ZR::Doc {
namespace {

constexpr SettingRow Time(int32_t id, double ms, int32_t page, int32_t mask) {
  return {id, kSettingDouble, ms, 0, 99999, page, mask};
}
constexpr SettingRow Height(int32_t id, double value, int32_t page, int32_t mask) {
  return {id, kSettingDouble, value, 0, kLargestDouble, page, mask};
}
constexpr SettingRow Percent(int32_t id, double value, int32_t mask) {
  return {id, kSettingInt, value, 0, 100, 2, mask};
}
constexpr SettingRow Bool(int32_t id, bool on, int32_t page, int32_t mask) {
  return {id, kSettingBool, on ? 1.0 : 0.0, 0, 0, page, mask};
}

// In stream order. Times in ms.
constexpr SettingRow kRows[] = {
    // Page 0: stimulus detection.
    {1005, kSettingDouble, 50, 0, 2e9, 0, Types({3, 4})},  // stimulus position
    Time(1003, 1, 0, Types({3, 4})),                       // maximum artifact width
    Height(1002, 1, 0, Types({3})),                        // minimum stimulus height
    Height(1028, 0.0005, 0, Types({4})),
    // Stimulus method 2 to 4; 5 is valid too but selects no detector (an analysis then says so).
    {kSettingStimulusMethod, kSettingInt, 4, 2, 5, 0, Types({3, 4})},
    Time(1004, 10, 0, Types({3, 4})),  // search start
    // Page 1: peak detection.
    Height(1006, 0.03, 1, Types({1, 3})),  // minimum peak height
    Time(1007, 0, 1, Types({3})),          // detection start and end after the stimulus
    Time(1008, 100, 1, Types({3})),
    Bool(1009, true, 1, Types({1, 3})),
    {kSettingDetectionSettings, kSettingDetectionSet, 0, 0, 0, 1, Types({0, 2})},
    Time(1001, 50, 1, Types({1})),  // minimum width at half height
    Time(1035, 4, 1, Types({5})),
    Time(1027, 10, 1, Types({3, 4})),  // minimum interval between artifacts
    Bool(1036, true, 1, Types({1, 5})),  // peak-width filter
    // Page 5: baseline and peak limits. Baseline mode 3 is kept by the bounds of older files,
    // but the calculations stop at 2.
    {kSettingBaselineMode, kSettingInt, 0, 0, 3, 5, Types({0, 1, 2, 3}), 2},
    {1040, kSettingDouble, 0, kLowestDouble, kLargestDouble, 5, Types({0, 1, 2, 3})},
    {1033, kSettingInt, 5, 5, 99, 5, Types({0, 1, 2, 3})},
    {1034, kSettingInt, 12, 5, 99, 5, Types({5})},
    {1041, kSettingInt, 0, 0, 99, 5, Types({0, 1, 2, 3, 5})},
    // Page 2: calculations.
    {1011, kSettingInt10, 40, 0, 100, 2, Types({1})},  // triangulation APD levels
    {1012, kSettingInt10, 90, 0, 100, 2, Types({1})},
    Percent(1013, 50, Types({1})),
    Time(1014, 5, 2, Types({1})),
    Time(1015, 5, 2, Types({0, 2, 3})),  // area start and end
    Time(1016, 10, 2, Types({0, 2, 3})),
    Percent(1017, 10, Types({0, 1, 3, 5})),  // rise start and end
    Percent(1018, 90, Types({0, 1, 3, 5})),
    Bool(kSettingTauFitOld, true, 2, 0),
    // Tau mode 3 is kept by the bounds of older files, but the calculations stop at 2.
    {kSettingTauMode, kSettingInt, 1, 0, 3, 2, Types({0, 2, 3}), 2},
    {1038, kSettingDouble, 0, kLowestDouble, kLargestDouble, 2, Types({0})},
    Time(1020, 10, 2, Types({0})),  // slope start and end
    Time(1021, 11, 2, Types({0})),
    Time(1022, 10, 2, Types({3})),  // value location
    Time(1023, 10, 2, Types({4})),
    Time(1024, 20, 2, Types({4})),
    Percent(1025, 30, Types({1})),  // plateau centre
    Time(1026, 5, 2, Types({1})),
    Percent(1029, 50, Types({0, 2, 3})),  // tau start and end
    Percent(1030, 0, Types({0, 2, 3})),
    {1031, kSettingInt, 5, 0, 99999, 2, Types({1, 5})},  // maximum negative slope
    {1032, kSettingDouble, 4, 0.1, 100, 2, Types({1, 5})},
};

struct ColumnSwitch {
  int32_t id;
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
    Add(new ZRSetting_Bool(column.id, kColumnPage, ListingTypes(catalogue, column.id), column.on));
  }
}

void Settings1::Upgrade() {
  const auto* old = dynamic_cast<const ZRSetting_Bool*>(FindById(kSettingTauFitOld));
  auto* mode = dynamic_cast<ZRSettingInt*>(FindById(kSettingTauMode));
  if (old != nullptr && mode != nullptr) mode->Set(old->Get() ? 1 : 0);
}

}  // namespace ZR::Doc
