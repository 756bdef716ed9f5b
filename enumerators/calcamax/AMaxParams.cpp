// The extreme stage's numeric parameters: defaults, settings text and list form.
#include "enumerators/calcamax/AMaxParams.h"

#include <cmath>
#include <istream>
#include <ostream>

#include "base/TickConversion.h"
#include "enumerators/framework/ParamsBase.h"

namespace ZR::Enum::CalcAMax {

namespace {

constexpr int32_t kDefaults[AMaxParams::kCount] = {5, 1, 0};

}  // namespace

double AMaxParams::Access(int32_t index, double value, bool set) noexcept {
  int32_t* const fields[kCount] = {&startHeightPercent, &reposition, &endHeightPercent};
  if (index < 0 || index >= kCount) return 0.0;
  if (set) {
    *fields[index] = std::fabs(value + 1.0) <= 1e-12 ? kDefaults[index] : RoundHalfAwayToInt32Sat(value);
  }
  return *fields[index];
}

double AMaxParams::Get(int32_t index) const noexcept {
  const int32_t values[kCount] = {startHeightPercent, reposition, endHeightPercent};
  return index >= 0 && index < kCount ? values[index] : 0.0;
}

void AMaxParams::SaveParams(std::wostream& out) const {
  for (int32_t i = 0; i < kCount; ++i) EEH3::WriteSettingsDouble(out, Get(i));
}

void AMaxParams::LoadParams(std::wistream& in) {
  for (int32_t i = 0; i < kCount; ++i) {
    double value = -1.0;
    EEH3::ReadSettingsDouble(in, value);
    Access(i, value, true);
  }
  Validate();
}

void AMaxParams::WriteList(std::wostream& out) const {
  for (int32_t i = 0; i < kCount; ++i) {
    if (i > 0) out << L", ";
    out << Get(i);
  }
}

void AMaxParams::SetDefaults() noexcept {
  for (int32_t i = 0; i < kCount; ++i) Access(i, -1.0, true);
}

}  // namespace ZR::Enum::CalcAMax
