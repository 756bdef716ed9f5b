// The value range of a channel in one record, as the host's data file reports it.
#pragma once

#include "base/EventRecords.h"

#include <cstdint>

struct IHostDataDocument;

namespace ExtLib {

// The two ends of a value axis, in base units (no SI prefix).
struct AxisRange {
  double first;
  double second;
};

// The lowest (first) and highest (second) value of channel in the record that holds position,
// and the factor the host shows stored values with (*scale). False, with the out values
// unchanged, when there is no document or data file, or no such channel or record.
bool GetChannelValueRange(IHostDataDocument* document, int32_t channel, TickPosition position, AxisRange* range,
                          double* scale);

}  // namespace ExtLib
