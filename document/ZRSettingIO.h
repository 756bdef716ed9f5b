// ZR::Doc::ZRSettingIO<T, K>: a numeric setting (int, long or double) with inclusive bounds.
#pragma once

#include "document/ZRSetting.h"

#include <cstdint>

namespace ZR::Doc {

// long is the stored 32-bit signed kind.
static_assert(sizeof(long) == 4, "long settings are 32-bit");

template <typename T, int32_t K>
class ZRSettingIO : public ZRSetting {
 public:
  ZRSettingIO(SettingId id, int32_t page, int32_t typeMask, T defaultValue, T minimum,
              T maximum) noexcept
      : ZRSetting(id, K, page, typeMask),
        mValue(defaultValue),
        mDefault(defaultValue),
        mMinimum(minimum),
        mMaximum(maximum),
        mLargestValid(maximum) {}

  // minimum <= value <= the largest valid value (the maximum unless narrowed); a NaN fails.
  bool IsValid() const override { return mMinimum <= mValue && mValue <= mLargestValid; }
  // Integers in decimal; doubles in classic text as the shortest form that reads back exactly
  // (six significant digits when they suffice), otherwise at six digits in the global locale.
  QOR::String ToText(bool classic) const override;
  void FromText(const QOR::String& text, bool classic) override;
  void ResetToDefault() override { mValue = mDefault; }
  double AsDouble() const override { return static_cast<double>(mValue); }

  T Get() const noexcept { return mValue; }
  void Set(T value) noexcept { mValue = value; }
  T GetMinimum() const noexcept { return mMinimum; }
  T GetMaximum() const noexcept { return mMaximum; }
  T GetLargestValid() const noexcept { return mLargestValid; }
  // Values above largest (up to the maximum) may be stored and read back but are invalid: a
  // stored bound kept for older files that reaches past what the analysis can use.
  void SetLargestValid(T largest) noexcept { mLargestValid = largest; }

 protected:
  T mValue;

 private:
  T mDefault;
  T mMinimum;
  T mMaximum;
  T mLargestValid;
};

extern template class ZRSettingIO<int, kSettingInt>;
extern template class ZRSettingIO<long, kSettingLong>;
extern template class ZRSettingIO<double, kSettingDouble>;

using ZRSettingInt = ZRSettingIO<int, kSettingInt>;
using ZRSettingLong = ZRSettingIO<long, kSettingLong>;
using ZRSettingDouble = ZRSettingIO<double, kSettingDouble>;

}  // namespace ZR::Doc
