// The population-spike measurement's numeric parameters: fields and defaults.
#include "enumerators/pscalc/PSCalcParams.h"

namespace ZR::Enum::PSCalc {

namespace {

constexpr double kDefaults[PSCalcParams::kCount] = {0.0, 100.0, 100.0};

}  // namespace

double PSCalcParams::Access(int32_t index, double value, bool set) noexcept {
  double* const fields[kCount] = {&slopeStartMs, &slopeEndMs, &valueAtMs};
  if (index < 0 || index >= kCount) return 0.0;
  if (set) *fields[index] = SelectsDefault(value) ? kDefaults[index] : value;
  return *fields[index];
}

double PSCalcParams::Get(int32_t index) const noexcept {
  const double values[kCount] = {slopeStartMs, slopeEndMs, valueAtMs};
  return index >= 0 && index < kCount ? values[index] : 0.0;
}

}  // namespace ZR::Enum::PSCalc
