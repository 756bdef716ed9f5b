// The full measurement stage's parameters together with what is derived from them for one record.
#pragma once

#include <cstdint>

#include "enumerators/calcbulk/plugins/BulkParams.h"
#include "enumerators/calcbulk/plugins/SmoothingPoints.h"

namespace ZR::Enum::CalcBulk {

struct MeasureParams : BulkParams {
  double period = 1.0;            // seconds per tick, as the sources give it
  int32_t plateauWidthTicks = 0;  // window of "PlateauV2"
  int32_t pltWidthTicks = 0;      // window of "PlateauV1"
  SmoothingPoints smoothing;      // window of the smoothed slopes
  int32_t origin = 0;             // tick from which "TStart" counts

  // Derives the tick widths for a record read at `tickPeriod` seconds per tick, and
  // resets the smoothing points to 5.
  void Prepare(double tickPeriod) noexcept;
};

}  // namespace ZR::Enum::CalcBulk
