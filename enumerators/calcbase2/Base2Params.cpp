// The second baseline stage's numeric parameters: defaults, settings text and list form.
#include "enumerators/calcbase2/Base2Params.h"

#include <cmath>
#include <istream>
#include <ostream>
#include <utility>

#include "base/TickConversion.h"
#include "enumerators/framework/ParamsBase.h"

namespace ZR::Enum::CalcBase2 {

namespace {

constexpr int32_t kDefaults[Base2Params::kCount] = {50, 50, 5, 50};

}  // namespace

double Base2Params::Access(int32_t index, double value, bool set) noexcept {
  int32_t* const fields[kCount] = {&midPlateauPercent, &tauStartPercent, &tauEndPercent,
                                   &plateauCentrePercent};
  if (index < 0 || index >= kCount) return 0.0;
  if (set) {
    *fields[index] = std::fabs(value + 1.0) <= 1e-12 ? kDefaults[index] : RoundHalfAwayToInt32Sat(value);
  }
  return *fields[index];
}

double Base2Params::Get(int32_t index) const noexcept {
  const int32_t values[kCount] = {midPlateauPercent, tauStartPercent, tauEndPercent, plateauCentrePercent};
  return index >= 0 && index < kCount ? values[index] : 0.0;
}

void Base2Params::SaveParams(std::wostream& out) const {
  for (int32_t i = 0; i < kCount; ++i) EEH3::WriteSettingsDouble(out, Get(i));
}

void Base2Params::LoadParams(std::wistream& in) {
  for (int32_t i = 0; i < kCount; ++i) {
    double value = -1.0;
    EEH3::ReadSettingsDouble(in, value);
    Access(i, value, true);
  }
  Validate();
}

void Base2Params::WriteList(std::wostream& out) const {
  for (int32_t i = 0; i < kCount; ++i) {
    if (i > 0) out << L", ";
    out << Get(i);
  }
}

void Base2Params::Validate() noexcept {
  if (tauStartPercent < tauEndPercent) std::swap(tauStartPercent, tauEndPercent);
}

void Base2Params::SetDefaults() noexcept {
  for (int32_t i = 0; i < kCount; ++i) Access(i, -1.0, true);
}

}  // namespace ZR::Enum::CalcBase2
