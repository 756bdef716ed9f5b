// The stimulus detector's numeric parameters: defaults, settings text and list form.
#include "enumerators/erstimdet/StimDetParams.h"

#include "enumerators/framework/ParamsBase.h"

#include <cmath>
#include <istream>
#include <ostream>

namespace ZR::Enum::ERStimDet {
namespace {

bool SelectsDefault(double value) noexcept { return std::fabs(value + 1.0) <= 1e-12; }

}  // namespace

double StimDetParams::Access(int32_t index, double value, bool set) noexcept {
  if (set) {
    const bool useDefault = SelectsDefault(value);
    switch (index) {
      case 0: height = useDefault ? kDefaultHeight : value; break;
      case 1: widthMs = useDefault ? kDefaultWidthMs : value; break;
      case 2: skipMs = useDefault ? 0.0 : value; break;
      case 3: minGapMs = useDefault ? 0.0 : value; break;
      case 4: oneStimPerBlock = !useDefault && value > 0.5; break;
      default: break;
    }
  }
  return Get(index);
}

double StimDetParams::Get(int32_t index) const noexcept {
  switch (index) {
    case 0: return height;
    case 1: return widthMs;
    case 2: return skipMs;
    case 3: return minGapMs;
    case 4: return oneStimPerBlock ? 1.0 : 0.0;
    default: return 0.0;
  }
}

void StimDetParams::SaveParams(std::wostream& out) const {
  for (int32_t i = 0; i < kCount; ++i)
    EEH3::WriteSettingsDouble(out, Get(i));
}

void StimDetParams::LoadParams(std::wistream& in) {
  for (int32_t i = 0; i < kCount; ++i) {
    double value = -1.0;
    EEH3::ReadSettingsDouble(in, value);
    Access(i, value, true);
  }
  Validate();
}

void StimDetParams::WriteList(std::wostream& out) const {
  for (int32_t i = 0; i < kCount; ++i) {
    if (i > 0) out << L", ";
    out << Get(i);
  }
}

void StimDetParams::SetDefaults() noexcept {
  for (int32_t i = 0; i < kCount; ++i) Access(i, -1.0, true);
}

}  // namespace ZR::Enum::ERStimDet
