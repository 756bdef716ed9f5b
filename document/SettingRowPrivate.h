// One row of the tables from which the settings groups build their settings.
#pragma once

#include "document/ZRSetting.h"

#include <cstdint>
#include <initializer_list>
#include <limits>

namespace ZR::Doc {

inline constexpr double kLargestDouble = std::numeric_limits<double>::max();
inline constexpr double kLowestDouble = std::numeric_limits<double>::lowest();
inline constexpr double kLargestLong = 2147483647.0;

// The type mask of the analysis types listed.
constexpr int32_t Types(std::initializer_list<int> types) noexcept {
  int32_t mask = 0;
  for (int type : types) mask |= TypeBit(type);
  return mask;
}

// Numbers are held as doubles (every int and long bound is exact in one); a Bool's default is
// 0 or 1. largestValid below the maximum narrows what IsValid accepts.
struct SettingRow {
  SettingId id;
  int32_t kind;
  double defaultValue;
  double minimum;
  double maximum;
  int32_t page;
  int32_t typeMask;
  double largestValid = std::numeric_limits<double>::infinity();
};

// A new setting of the row's kind, owned by the caller.
ZRSetting* MakeSetting(const SettingRow& row);

}  // namespace ZR::Doc
