// The numeric parameters of the full measurement stage, exchanged by index with the formula and settings.
#pragma once

#include <cstdint>

#include "enumerators/framework/NumericParams.h"

namespace ZR::Enum::CalcBulk {

// Analysis types; the evoked-response and population-spike types anchor the area and
// slope windows at the stimulus instead of the peak's start tick.
enum AnalysisType : int32_t {
  kGeneralUnstimulated = 0,
  kCardiacActionPotential = 1,
  kSynaptic = 2,
  kEvokedResponse = 3,
  kPopulationSpike = 4,
  kActionPotential = 5,
};

// Parameters 2 to 17 of the formula, in field order (the exchange index order differs,
// see Exchange). Times are milliseconds, percentages per cent of the height, the tau
// fixed value channel units.
struct BulkParams : NumericParams {
  BulkParams() noexcept = default;

  int32_t analysisType = 0;
  double areaStartMs = 0.0;
  double areaEndMs = 0.0;
  int32_t tauMode = 0;
  int32_t riseStartPercent = 30;
  int32_t riseEndPercent = 70;
  int32_t triangulationStartPercent = 30;
  int32_t triangulationEndPercent = 70;
  double pltWidthMs = 0.0;
  double slopeStartMs = 0.0;
  double slopeEndMs = 0.0;
  double valueMs = 0.0;
  double plateauWidthMs = 0.0;
  int32_t maxNegSlopeStartMs = 50;
  double maxNegSlopeSmoothMs = 4.0;
  double tauFixedValue = 0.0;

  static constexpr int32_t kCount = 16;
  int32_t Count() const noexcept override { return kCount; }
  // Exchanges one parameter: stores it when `set`, and answers it as a double.
  double Access(int32_t index, double value, bool set) noexcept override;
  // Index = formula parameter number - 2. Get widens the stored value; set applies the
  // parameter's rule (-1 within 1e-12 selects a default where there is one; integers
  // are rounded). An index outside 0..15 reads 0.0 and stores nothing.
  double Get(int32_t index) const noexcept override;
  void Set(int32_t index, double value) noexcept;
};

}  // namespace ZR::Enum::CalcBulk
