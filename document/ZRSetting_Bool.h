// ZR::Doc::ZRSetting_Bool: an on/off setting, written "t" or "f".
#pragma once

#include "document/ZRSetting.h"

namespace ZR::Doc {

class ZRSetting_Bool final : public ZRSetting {
 public:
  ZRSetting_Bool(SettingId id, int32_t page, int32_t typeMask, bool defaultValue) noexcept
      : ZRSetting(id, kSettingBool, page, typeMask), mValue(defaultValue), mDefault(defaultValue) {}

  bool IsValid() const override { return true; }
  QOR::String ToText(bool classic) const override;
  // Set exactly when the text begins with a lower-case 't' (so "T", "" and "true " differ).
  void FromText(const QOR::String& text, bool classic) override;
  void ResetToDefault() override { mValue = mDefault; }

  bool Get() const noexcept { return mValue != 0; }
  void Set(bool value) noexcept { mValue = value ? 1 : 0; }

 private:
  uint8_t mValue;
  uint8_t mDefault;
};

}  // namespace ZR::Doc
