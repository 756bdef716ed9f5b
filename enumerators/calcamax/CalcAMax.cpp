// CalcAMax's step settings from its parameters.
#include "enumerators/calcamax/CalcAMax.h"

namespace ZR::Enum::CalcAMax {

StepSettings Params::Settings() const noexcept {
  StepSettings s;
  s.startHeightPercent = startHeightPercent;
  s.reposition = reposition;
  s.endHeightPercent = endHeightPercent;
  return s;
}

}  // namespace ZR::Enum::CalcAMax
