// ZR::Doc::ZRSetting_Int10: an int setting whose value must be a multiple of 10.
#pragma once

#include "document/ZRSettingIO.h"

namespace ZR::Doc {

// Kind 2, and still a ZRSettingInt for every reader of int settings.
class ZRSetting_Int10 final : public ZRSettingInt {
 public:
  ZRSetting_Int10(SettingId id, int32_t page, int32_t typeMask, int defaultValue, int minimum,
                  int maximum) noexcept
      : ZRSettingInt(id, page, typeMask, defaultValue, minimum, maximum) {
    SetKind(kSettingInt10);
  }

  bool IsValid() const override { return ZRSettingInt::IsValid() && mValue % 10 == 0; }
};

}  // namespace ZR::Doc
