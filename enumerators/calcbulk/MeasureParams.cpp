// The full measurement stage's parameters together with what is derived from them for one record.
#include "enumerators/calcbulk/MeasureParams.h"

#include "base/TickConversion.h"

namespace ZR::Enum::CalcBulk {

void MeasureParams::Prepare(double tickPeriod) noexcept {
  period = tickPeriod;
  plateauWidthTicks = MsToTicksByPeriodMs(plateauWidthMs, period);
  pltWidthTicks = MsToTicksByPeriodMs(pltWidthMs, period);
  smoothing = SmoothingPoints();
}

}  // namespace ZR::Enum::CalcBulk
