// The region an analysis runs over and the chunks its events are pulled in.
#pragma once

#include <cstdint>

namespace ZR::Doc {

// A region runs from (startRecord, startTick) up to (endRecord, endTick); an end of (-1, -1) is
// open and reaches the end of the data. Valid when the start is not negative and the end is
// open or lies after the start.
bool IsValidRegion(int32_t startRecord, int32_t startTick, int32_t endRecord, int32_t endTick) noexcept;

// Ticks pulled per step over a region of total ticks: one hundredth, at most 10000; the whole
// total when one hundredth is below 1000; never below 1, so an empty region cannot stall a run.
int32_t AnalysisChunkTicks(int64_t total) noexcept;

}  // namespace ZR::Doc
