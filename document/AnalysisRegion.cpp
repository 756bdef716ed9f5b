// The region an analysis runs over and the chunks its events are pulled in.
#include "document/AnalysisRegion.h"

#include <algorithm>

namespace ZR::Doc {

bool IsValidRegion(int32_t startRecord, int32_t startTick, int32_t endRecord, int32_t endTick) noexcept {
  if (startRecord < 0 || startTick < 0) return false;
  if (endRecord == -1 && endTick == -1) return true;
  if (endRecord < 0 || endTick < 0) return false;
  return endRecord > startRecord || (endRecord == startRecord && endTick > startTick);
}

int32_t AnalysisChunkTicks(int64_t total) noexcept {
  const int64_t hundredth = std::min<int64_t>(total / 100, 10000);
  const int64_t chunk = hundredth < 1000 ? total : hundredth;
  return static_cast<int32_t>(std::clamp<int64_t>(chunk, 1, 0x7FFFFFFF));
}

}  // namespace ZR::Doc
