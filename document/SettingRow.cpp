// One row of the tables from which the settings groups build their settings.
#include "document/SettingRowPrivate.h"

#include "document/ZRSettingIO.h"
#include "document/ZRSetting_Bool.h"
#include "document/ZRSetting_Int10.h"
#include "document/ZRSetting_PXDetSet.h"

#include <cmath>
#include <stdexcept>

namespace ZR::Doc {

template <typename Setting, typename T>
static Setting* MakeNumber(const SettingRow& row) {
  auto* setting = new Setting(row.id, row.page, row.typeMask, static_cast<T>(row.defaultValue),
                              static_cast<T>(row.minimum), static_cast<T>(row.maximum));
  if (std::isfinite(row.largestValid)) setting->SetLargestValid(static_cast<T>(row.largestValid));
  return setting;
}

ZRSetting* MakeSetting(const SettingRow& row) {
  switch (row.kind) {
    case kSettingBool:
      return new ZRSetting_Bool(row.id, row.page, row.typeMask, row.defaultValue != 0.0);
    case kSettingInt:
      return MakeNumber<ZRSettingInt, int>(row);
    case kSettingInt10:
      return MakeNumber<ZRSetting_Int10, int>(row);
    case kSettingLong:
      return MakeNumber<ZRSettingLong, long>(row);
    case kSettingDouble:
      return MakeNumber<ZRSettingDouble, double>(row);
    case kSettingDetectionSet:
      return new ZRSetting_PXDetSet(row.id, row.page, row.typeMask);
    default:
      throw std::invalid_argument("unknown setting kind");
  }
}

}  // namespace ZR::Doc
