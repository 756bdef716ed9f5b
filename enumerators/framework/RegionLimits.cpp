// Reading and writing the four region limits of a settings text.
#include "enumerators/framework/RegionLimits.h"

#include <istream>
#include <ostream>

#include "base/TickConversion.h"
#include "base/NoValue.h"
#include "enumerators/framework/ParamsBase.h"

namespace EEH3 {

void RegionLimits::Read(std::wistream& in) {
  double limits[4] = {0.0, 0.0, 2147483647.0, 2147483647.0};
  for (double& limit : limits) ReadSettingsDouble(in, limit);
  startRecord = RoundHalfAwayToInt32Sat(limits[0]);
  startTick = RoundHalfAwayToInt32Sat(limits[1]);
  endRecord = RoundHalfAwayToInt32Sat(limits[2]);
  endTick = RoundHalfAwayToInt32Sat(limits[3]);
}

void RegionLimits::Write(std::wostream& out) const {
  WriteSettingsDouble(out, startRecord);
  WriteSettingsDouble(out, startTick);
  WriteSettingsDouble(out, endRecord);
  WriteSettingsDouble(out, endTick);
}

void RegionLimits::OpenNegatives() noexcept {
  if (startRecord < 0) startRecord = 0;
  if (startTick < 0) startTick = 0;
  if (endRecord < 0) endRecord = kRecordEndOffset;
  if (endTick < 0) endTick = kRecordEndOffset;
}

void RegionLimits::Normalise() noexcept {
  if (startTick == 0 && startRecord == 0 && endTick == 0 && endRecord == 0) {
    startTick = startRecord = endTick = endRecord = -1;
  }
  OpenNegatives();
}

}  // namespace EEH3
