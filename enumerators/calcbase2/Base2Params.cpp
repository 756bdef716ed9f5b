// The second baseline stage's numeric parameters: fields, defaults and validation.
#include "enumerators/calcbase2/Base2Params.h"

#include <utility>

namespace ZR::Enum::CalcBase2 {

namespace {

constexpr int32_t kDefaults[Base2Params::kCount] = {50, 50, 5, 50};

}  // namespace

double Base2Params::Access(int32_t index, double value, bool set) noexcept {
  int32_t* const fields[kCount] = {&midPlateauPercent, &tauStartPercent, &tauEndPercent,
                                   &plateauCentrePercent};
  return AccessRoundedInt(fields, kDefaults, kCount, index, value, set);
}

double Base2Params::Get(int32_t index) const noexcept {
  const int32_t values[kCount] = {midPlateauPercent, tauStartPercent, tauEndPercent, plateauCentrePercent};
  return index >= 0 && index < kCount ? values[index] : 0.0;
}

void Base2Params::Validate() noexcept {
  if (tauStartPercent < tauEndPercent) std::swap(tauStartPercent, tauEndPercent);
}

}  // namespace ZR::Enum::CalcBase2
