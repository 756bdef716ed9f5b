// ZR::Doc::GlobalSettings: the settings of a data file's analysis that no channel owns.
#include "document/GlobalSettings.h"

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
    {2000, kSettingInt, 0, 0, 6, kPage, kMask, 5},
    Long(2001, 0, 0, 32),  // analysis channel
    Marker(2023),          // source object id
    Marker(2024),          // detector formula object id
    Marker(2025),          // analysis formula object id
    Bool(2002, true),      // Table View summary rows
    {2003, kSettingInt, 0, 0, 4, kPage, kMask},  // last settings tab
    Bool(2004, false),     // analyse the selection
    Marker(2005),          // region: start record, start tick, end record, end tick
    Marker(2006),
    Marker(2007),
    Marker(2008),
    Bool(2009, false),  // analyse while sampling
    Bool(2010, true),   // peak markers
    Bool(2011, false),  // an analysed region is stored
    Bool(2012, true),   // no region stored
    Bool(2013, true),   // Analysis View plot series 1 to 10
    Bool(2014, true),
    Bool(2015, true),
    Bool(2016, true),
    Bool(2017, true),
    Bool(2018, true),
    Bool(2019, true),
    Bool(2020, true),
    Bool(2021, true),
    Bool(2022, true),
    Bool(2026, false),  // Table View switch
    AxisValue(2027),    // Analysis View axis range
    AxisValue(2028),
    AxisValue(2029),
    AxisValue(2030),
};

}  // namespace

GlobalSettings::GlobalSettings() {
  for (const SettingRow& row : kRows) Add(MakeSetting(row));
}

}  // namespace ZR::Doc
