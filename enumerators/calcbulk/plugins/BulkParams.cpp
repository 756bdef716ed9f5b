// The numeric parameters of the full measurement stage, exchanged by index with the formula and settings.
#include "enumerators/calcbulk/plugins/BulkParams.h"

#include <cmath>

#include "base/TickConversion.h"

namespace ZR::Enum::CalcBulk {

namespace {

bool IsDefaultMarker(double value) { return std::fabs(value + 1.0) <= 1e-12; }

int32_t IntWithDefault(double value, int32_t fallback) {
  return IsDefaultMarker(value) ? fallback : RoundHalfAwayToInt32Sat(value);
}

double DoubleWithDefault(double value, double fallback) {
  return IsDefaultMarker(value) ? fallback : value;
}

// 0 to (not including) 6 rounded half up; anything else, NaN included, is type 0.
int32_t AnalysisTypeFrom(double value) {
  if (!(value >= 0.0 && value < 6.0))
    return kGeneralUnstimulated;
  return TruncHalfUpToInt32Sat(value);
}

}  // namespace

double BulkParams::Get(int32_t index) const noexcept {
  switch (index) {
    case 0: return analysisType;
    case 1: return areaStartMs;
    case 2: return areaEndMs;
    case 3: return tauMode;
    case 4: return tauFixedValue;
    case 5: return riseStartPercent;
    case 6: return riseEndPercent;
    case 7: return triangulationStartPercent;
    case 8: return triangulationEndPercent;
    case 9: return plateauWidthMs;
    case 10: return pltWidthMs;
    case 11: return slopeStartMs;
    case 12: return slopeEndMs;
    case 13: return valueMs;
    case 14: return maxNegSlopeStartMs;
    case 15: return maxNegSlopeSmoothMs;
    default: return 0.0;
  }
}

void BulkParams::Set(int32_t index, double value) noexcept {
  switch (index) {
    case 0: analysisType = AnalysisTypeFrom(value); break;
    case 1: areaStartMs = value; break;
    case 2: areaEndMs = value; break;
    case 3: tauMode = TruncHalfUpToInt32Sat(value); break;
    case 4: tauFixedValue = value; break;
    case 5: riseStartPercent = IntWithDefault(value, 30); break;
    case 6: riseEndPercent = IntWithDefault(value, 70); break;
    case 7: triangulationStartPercent = IntWithDefault(value, 30); break;
    case 8: triangulationEndPercent = IntWithDefault(value, 70); break;
    case 9: plateauWidthMs = value; break;
    case 10: pltWidthMs = value; break;
    case 11: slopeStartMs = value; break;
    case 12: slopeEndMs = value; break;
    case 13: valueMs = value; break;
    case 14: maxNegSlopeStartMs = IntWithDefault(value, 50); break;
    case 15: maxNegSlopeSmoothMs = DoubleWithDefault(value, 4.0); break;
    default: break;
  }
}

double BulkParams::Access(int32_t index, double value, bool set) noexcept {
  if (set)
    Set(index, value);
  return Get(index);
}

}  // namespace ZR::Enum::CalcBulk
