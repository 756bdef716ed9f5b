// ERPeakDet's settings text, sources and search window in ticks.
#include "enumerators/erpeakdet/ERPeakDet.h"

#include <algorithm>
#include <istream>
#include <memory>
#include <ostream>

#include "base/TickConversion.h"
#include "enumerators/framework/EventWrapper.h"
#include "enumerators/framework/FloatExWrapper.h"

namespace ZR::Enum::ERPeakDet {

void Params::Load(std::wistream& in) {
  height = 0.0;
  EEH3::ReadSettingsDouble(in, height);
  searchStartGiven = EEH3::ReadSettingsDouble(in, searchStartMs);
  searchEndGiven = EEH3::ReadSettingsDouble(in, searchEndMs);
  if (!searchStartGiven) searchStartMs = 0.0;
  if (!searchEndGiven) searchEndMs = 0.0;
  LoadLimits(in);
  if (!(height > 0.0)) height = 1e-30;
}

void Params::Save(std::wostream& out) const {
  EEH3::WriteSettingsDouble(out, height);
  if (searchStartGiven) {
    EEH3::WriteSettingsDouble(out, searchStartMs);
    if (searchEndGiven) {
      EEH3::WriteSettingsDouble(out, searchEndMs);
      SaveLimits(out);
      return;
    }
  }
  out << L'\0';
}

void Params::AddSources(int32_t count, IUnknown** interfaces) {
  readers.Add(sources, count, interfaces);
  // An explicit time, -1 included, converts as given: trunc(ms / (period x 1000) + 0.5).
  searchStartTicks = searchStartGiven ? MsToTicksByPeriodMs(searchStartMs, tickPeriod) : 0;
  searchEndTicks = searchEndGiven ? MsToTicksByPeriodMs(searchEndMs, tickPeriod) : kDefaultSearchEndTicks;
  // The artefact's rule, in time (StimulusRest.h).
  restTicks = Rest::RestTicks(tickPeriod);
  lookTicks = Rest::LookTicks(tickPeriod);
  artefactTicks = MsToTicks(Rest::kArtefactMs, tickPeriod);
}

}  // namespace ZR::Enum::ERPeakDet
