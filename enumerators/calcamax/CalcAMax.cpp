// CalcAMax's step settings from its parameters.
#include "enumerators/calcamax/CalcAMax.h"

#include "enumerators/stimrest/StimulusRest.h"

namespace ZR::Enum::CalcAMax {

void Params::AddSources(int32_t count, IUnknown** interfaces) {
  StageParams::AddSources(count, interfaces);
  restTicks = Rest::RestTicks(tickPeriod);
  lookTicks = Rest::LookTicks(tickPeriod);
}

StepSettings Params::Settings() const noexcept {
  StepSettings s;
  s.restTicks = restTicks;
  s.lookTicks = lookTicks;
  s.startHeightPercent = startHeightPercent;
  s.reposition = reposition;
  s.endHeightPercent = endHeightPercent;
  return s;
}

}  // namespace ZR::Enum::CalcAMax
