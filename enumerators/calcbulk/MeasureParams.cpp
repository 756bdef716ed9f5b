// The full measurement stage's parameters together with what is derived from them for one record.
#include "enumerators/calcbulk/MeasureParams.h"

#include "base/TickConversion.h"

namespace ZR::Enum::CalcBulk {

void MeasureParams::Prepare(double tickPeriod) noexcept {
  period = tickPeriod;
  plateauWidthTicks = TruncHalfUpToInt32Sat(plateauWidthMs / (period * 1000.0));
  pltWidthTicks = TruncHalfUpToInt32Sat(pltWidthMs / (period * 1000.0));
  smoothing = SmoothingPoints();
}

}  // namespace ZR::Enum::CalcBulk
