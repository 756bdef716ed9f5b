// The stimulus detector's numeric parameters: fields and defaults by index.
#include "enumerators/erstimdet/StimDetParams.h"

namespace ZR::Enum::ERStimDet {

double StimDetParams::Access(int32_t index, double value, bool set) noexcept {
  if (set) {
    const bool useDefault = SelectsDefault(value);
    switch (index) {
      case 0: height = useDefault ? kDefaultHeight : value; break;
      case 1: widthMs = useDefault ? kDefaultWidthMs : value; break;
      case 2: skipMs = useDefault ? 0.0 : value; break;
      case 3: minGapMs = useDefault ? 0.0 : value; break;
      case 4: oneStimPerBlock = !useDefault && value > 0.5; break;
      default: break;
    }
  }
  return Get(index);
}

double StimDetParams::Get(int32_t index) const noexcept {
  switch (index) {
    case 0: return height;
    case 1: return widthMs;
    case 2: return skipMs;
    case 3: return minGapMs;
    case 4: return oneStimPerBlock ? 1.0 : 0.0;
    default: return 0.0;
  }
}

}  // namespace ZR::Enum::ERStimDet
