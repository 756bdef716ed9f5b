// The output format of a calculated channel: how its raw 16-bit samples map to values.
#pragma once

#include "hostapi/ChannelCalc.h"

#include <cstdint>

namespace ZR::ChanCalc {

// Scale 1, offset 0, unlimited, two decimal places, no unit prefix.
ChannelCalcFormat DefaultOutputFormat() noexcept;

// The format whose raw -32000 shows bottom and raw +32000 shows top (value = scale * (raw +
// offset)). With symmetric set, bottom is -top. A non-finite top or bottom counts as 1 or -1;
// both are clamped to +-1e24, equal ends move apart by one float step each and an overflowing
// range becomes the largest float.
ChannelCalcFormat OutputRangeFormat(float top, float bottom, int32_t decimalPlaces, bool symmetric) noexcept;

// Scale ends the output format can tell apart. A span of less than eight float steps of the
// ends' size (a zero span among them) is widened: each end moves out by eight float steps of
// that size, 1e-5 for ends at zero, and at least to its neighbouring float. Any wider span, as
// one of a few picoamperes, is kept as it is.
void WidenNarrowScale(float& top, float& bottom) noexcept;

}  // namespace ZR::ChanCalc
