// The extreme stage's numeric parameters: fields, defaults and validation.
#include "enumerators/calcamax/AMaxParams.h"

namespace ZR::Enum::CalcAMax {

namespace {

constexpr int32_t kDefaults[AMaxParams::kCount] = {5, 1, 0};

}  // namespace

double AMaxParams::Access(int32_t index, double value, bool set) noexcept {
  int32_t* const fields[kCount] = {&startHeightPercent, &reposition, &endHeightPercent};
  return AccessRoundedInt(fields, kDefaults, kCount, index, value, set);
}

double AMaxParams::Get(int32_t index) const noexcept {
  const int32_t values[kCount] = {startHeightPercent, reposition, endHeightPercent};
  return index >= 0 && index < kCount ? values[index] : 0.0;
}

}  // namespace ZR::Enum::CalcAMax
