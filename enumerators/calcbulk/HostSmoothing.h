// The smoothed-slope window length as the host's record data gives it for a channel and record.
#pragma once

#include "enumerators/calcbulk/plugins/SmoothingPoints.h"

#include <unknwn.h>

#include <cstdint>

namespace ZR::Enum::CalcBulk {

// Asks the record-data interface of the data file behind dataFile for the channel's time base
// in the record (preset to 1, 1, 0.0, so a host without the interface or the answer gives 5
// points) and turns it into the window length.
SmoothingPoints QueryHostSmoothingPoints(IUnknown* dataFile, int32_t record, int32_t channel) noexcept;

}  // namespace ZR::Enum::CalcBulk
