// What the measurement plug-ins read about the current event: its record, the parameters and the time base.
#include "enumerators/calcbulk/MeasureInput.h"

#include <cmath>

#include "base/TickConversion.h"

namespace ZR::Enum::CalcBulk {

int32_t MeasureInput::MsToTicks(double ms) const noexcept { return ::MsToTicks(ms, period); }

void WriteMeasurement(float& slot, double value) noexcept {
  if (!std::isfinite(value)) {
    SetStageNoValue(slot);
    return;
  }
  slot = static_cast<float>(value);
  if (!std::isfinite(slot))
    SetStageNoValue(slot);
}

}  // namespace ZR::Enum::CalcBulk
