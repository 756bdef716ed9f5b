// The unit of the analysed channel, found through the child data and the host's channel units.
#include "document/AnalysisChannelUnit.h"

#include "document/ScrivoDataChildData.h"
#include "enumerators/framework/HostHelpers.h"
#include "hostapi/DataDocument.h"
#include "hostclient/ComPtr.h"
#include "hostclient/EventTooltipText.h"

namespace ZR::Doc {

EventChannelUnit SplitUnitPrefix(const std::wstring& units) {
  EventChannelUnit unit;
  if (units.size() >= 2 && UnitPrefixPower(units[0]) != 0) {
    unit.prefix = units[0];
    unit.baseUnit = units.substr(1);
    return unit;
  }
  unit.baseUnit = units;
  return unit;
}

bool AnalysisChannelUnit(IUnknown* hostData, int32_t record, EventChannelUnit& unit) noexcept {
  try {
    ScrivoDataChildData* const child = ScrivoDataChildData::GetOrCreate(hostData);
    if (!child) return false;
    SettingsValues values;
    if (FAILED(child->GetValues(&values)) || values.first == SettingsValues::kFirstDefault) return false;
    QOR::ComPtr<IHostDataDocument> document;
    if (FAILED(hostData->QueryInterface(IID_IHostDataDocument, document.OutVoid())))
      return false;
    // The host gives the unit as one text ("mV"); the prefix is split off it here.
    const std::wstring units = ExtLib::GetChannelUnits(document.Get(), values.first, record);
    if (units.empty()) return false;
    unit = SplitUnitPrefix(units);
    return true;
  } catch (...) {
    // Called from the host's drawing: a failure only leaves the unit out.
    return false;
  }
}

}  // namespace ZR::Doc
