// The numeric parameter table's settings text, formula list and defaults.
#include "enumerators/framework/NumericParams.h"

#include <cmath>
#include <istream>
#include <ostream>

#include "base/TickConversion.h"
#include "enumerators/framework/ParamsBase.h"

namespace ZR::Enum {

void NumericParams::SaveParams(std::wostream& out) const {
  const int32_t count = Count();
  for (int32_t i = 0; i < count; ++i) EEH3::WriteSettingsDouble(out, Get(i));
}

void NumericParams::LoadParams(std::wistream& in) {
  const int32_t count = Count();
  for (int32_t i = 0; i < count; ++i) {
    double value = -1.0;
    EEH3::ReadSettingsDouble(in, value);
    Access(i, value, true);
  }
  Validate();
}

void NumericParams::WriteList(std::wostream& out) const {
  const int32_t count = Count();
  for (int32_t i = 0; i < count; ++i) {
    if (i > 0) out << L", ";
    out << Get(i);
  }
}

void NumericParams::SetDefaults() noexcept {
  const int32_t count = Count();
  for (int32_t i = 0; i < count; ++i) Access(i, -1.0, true);
}

bool NumericParams::SelectsDefault(double value) noexcept { return std::fabs(value + 1.0) <= 1e-12; }

double NumericParams::AccessRoundedInt(int32_t* const* fields, const int32_t* defaults, int32_t count,
                                       int32_t index, double value, bool set) noexcept {
  if (index < 0 || index >= count) return 0.0;
  if (set) *fields[index] = SelectsDefault(value) ? defaults[index] : RoundHalfAwayToInt32Sat(value);
  return *fields[index];
}

}  // namespace ZR::Enum
