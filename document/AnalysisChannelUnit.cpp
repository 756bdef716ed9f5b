// The unit of the analysed channel, found through the child data and the host's channel units.
#include "document/AnalysisChannelUnit.h"

#include "document/ScrivoDataChildData.h"
#include "enumerators/framework/HostHelpers.h"
#include "hostapi/DataDocument.h"
#include "hostclient/ComPtr.h"
#include "hostclient/HostUnits.h"

namespace ZR::Doc {

bool AnalysisChannelUnit(IUnknown* hostData, int32_t record, QOR::UnitWithPrefix& unit) noexcept {
  try {
    ScrivoDataChildData* const child = ScrivoDataChildData::GetOrCreate(hostData);
    if (!child) return false;
    SettingsValues values;
    if (FAILED(child->GetValues(&values)) || values.first == SettingsValues::kFirstDefault) return false;
    QOR::ComPtr<IHostDataDocument> document;
    if (FAILED(hostData->QueryInterface(IID_IHostDataDocument, document.OutVoid())))
      return false;
    // The channel's units text ("mV") is read back as base unit and prefix by the host itself,
    // which alone knows where a prefix ends ("mmHg" has none).
    const std::wstring units = ExtLib::GetChannelUnits(document.Get(), values.first, record);
    if (units.empty()) return false;
    return SUCCEEDED(QOR::ReadHostUnitText(units.c_str(), unit));
  } catch (...) {
    // Called from the host's drawing: a failure only leaves the unit out.
    return false;
  }
}

QOR::UnitWithPrefix HostChannelUnit(IHostDataDocument* document, int32_t channel, int32_t record) {
  QOR::UnitWithPrefix unit;
  if (!document) return unit;
  const std::wstring text = ExtLib::GetChannelUnits(document, channel, record);
  // The host alone knows where a prefix ends ("mmHg" has none).
  if (text.empty() || FAILED(QOR::ReadHostUnitText(text.c_str(), unit))) unit = QOR::UnitWithPrefix{text, 0};
  return unit;
}

}  // namespace ZR::Doc
