// The published formula functions: every enumerator class's row, aliases and parameter table.
#pragma once

#include <windows.h>

#include <cstdint>

namespace CalcEnums {

// The fifteen enumerator classes, in construction order (registration walks them newest first).
enum class EnumClassId : int32_t {
  CacheSelector,
  PSCacheSelector,
  CalcAMax,
  CalcBase,
  CalcBase2,
  CalcBulk,
  CAPPeakDet,
  CAPPWF,
  PeakCycConvert,
  ERPeakDet,
  ERStimDet,
  ERStimSOB,
  PSCalcBase,
  PSPeakDet,
  Selector,
};
inline constexpr int32_t kEnumClassCount = 15;

// One class-info row; rows live in writable data because the type id is cached in them.
struct ClassInfoRow {
  const wchar_t* name;
  const wchar_t* description;
  uint32_t flags;
  const GUID* classId;
  uint16_t typeIdLow;
  uint32_t cachedTypeId;  // 0 until first asked
};

struct ParamBounds {
  double low;
  double high;
};

// How a class answers the kind of each parameter.
enum class ParamKindRule : int32_t {
  ChannelThenValues,  // parameter 0 a channel, every other a value (template families, PeakCycConvert)
  AllValues,          // every parameter a value (Selector)
  NoKinds,            // kind 0 for all (cache selectors, ERStimSOB)
};

// The constant description of one formula function.
struct ClassTable {
  const wchar_t* const* paramNames;
  const ParamBounds* bounds;
  int32_t paramCount;
  const wchar_t* const* aliases;
  int32_t aliasCount;
  int32_t sourceCount;    // leading parameters that are sources
  uint32_t resultKindC;   // third fixed value of the result info: 0xA0000000 or 0
  ParamKindRule kindRule;
};

inline constexpr uint32_t kResultKindD = 0x40000000u;

// Indexed by EnumClassId. The rows are writable: each caches its class's type id.
extern ClassInfoRow gClassRows[kEnumClassCount];
extern const ClassTable kClassTables[kEnumClassCount];

constexpr ClassInfoRow& ClassRow(EnumClassId id) { return gClassRows[static_cast<int32_t>(id)]; }
constexpr const ClassTable& ClassTableOf(EnumClassId id) {
  return kClassTables[static_cast<int32_t>(id)];
}

// Kind of parameter index (index assumed within the table).
uint32_t ParamKind(const ClassTable& table, int32_t index);

}  // namespace CalcEnums
