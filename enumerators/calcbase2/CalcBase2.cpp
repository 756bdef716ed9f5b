// CalcBase2's step settings from its parameters.
#include "enumerators/calcbase2/CalcBase2.h"

namespace ZR::Enum::CalcBase2 {

StepSettings Params::Settings() const noexcept {
  StepSettings s;
  s.midPlateauPercent = midPlateauPercent;
  s.tauStartPercent = tauStartPercent;
  s.tauEndPercent = tauEndPercent;
  s.plateauCentrePercent = plateauCentrePercent;
  return s;
}

}  // namespace ZR::Enum::CalcBase2
