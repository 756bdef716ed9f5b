// The baseline stage's numeric parameters: defaults, settings text and list form.
#include "enumerators/calcbase/BaseParams.h"

#include <cmath>
#include <istream>
#include <ostream>

#include "base/TickConversion.h"
#include "enumerators/framework/ParamsBase.h"

namespace ZR::Enum::CalcBase {

namespace {

bool SelectsDefault(double value) noexcept { return std::fabs(value + 1.0) <= 1e-12; }

}  // namespace

double BaseParams::Access(int32_t index, double value, bool set) noexcept {
  if (set) {
    const bool useDefault = SelectsDefault(value);
    switch (index) {
      case 0: maxBaselineMs = useDefault ? 0.0 : value; break;
      case 1: noiseTolerancePercent = useDefault ? 5.0 : value; break;
      case 2: searchStartMs = value; break;
      case 3: searchEndMs = value; break;
      case 4: baselineMode = TruncHalfUpToInt32Sat(value); break;  // -1 gives 0
      case 5: baselineValue = value; break;
      default: break;
    }
  }
  return Get(index);
}

double BaseParams::Get(int32_t index) const noexcept {
  switch (index) {
    case 0: return maxBaselineMs;
    case 1: return noiseTolerancePercent;
    case 2: return searchStartMs;
    case 3: return searchEndMs;
    case 4: return baselineMode;
    case 5: return baselineValue;
    default: return 0.0;
  }
}

void BaseParams::SaveParams(std::wostream& out) const {
  for (int32_t i = 0; i < kCount; ++i) EEH3::WriteSettingsDouble(out, Get(i));
}

void BaseParams::LoadParams(std::wistream& in) {
  for (int32_t i = 0; i < kCount; ++i) {
    double value = -1.0;
    EEH3::ReadSettingsDouble(in, value);
    Access(i, value, true);
  }
  Validate();
}

void BaseParams::WriteList(std::wostream& out) const {
  for (int32_t i = 0; i < kCount; ++i) {
    if (i > 0) out << L", ";
    out << Get(i);
  }
}

void BaseParams::SetDefaults() noexcept {
  for (int32_t i = 0; i < kCount; ++i) Access(i, -1.0, true);
}

}  // namespace ZR::Enum::CalcBase
