// ZR::Doc::ZRDoc: the module's channel calculations checked against the analysis type: those
// whose measurement the type still offers take their settings again, the others are switched off.
#include "document/ZRDoc.h"

#include "document/ChannelCalcReader.h"
#include "document/DocumentStringIds.h"
#include "document/ParamCatalogue.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "document/ZRSetting.h"
#include "enumerators/framework/HostHelpers.h"
#include "hostapi/ChannelCalc.h"
#include "hostapi/MessageService.h"
#include "hostclient/DocViewIds.h"
#include "hostclient/FrameworkAccess.h"

namespace ZR::Doc {

namespace {

ShownMeasurementReader gReader = nullptr;
constexpr uint32_t kChannelObjectRequest = 0xC0000000u;

}  // namespace

void SetShownMeasurementReader(ShownMeasurementReader reader) noexcept { gReader = reader; }

void ZRDoc::CheckChannelCalculations() {
  // Inside a batch the check runs once, when the outermost batch ends.
  if (mCheckDepth > 0) {
    mCheckPending = true;
    return;
  }
  RunChannelCheck();
}

void ZRDoc::EndCheckBatch() {
  if (--mCheckDepth > 0 || !mCheckPending) return;
  mCheckPending = false;
  RunChannelCheck();
}

void ZRDoc::RunChannelCheck() {
  if (!gReader || !DataDocument()) return;
  const ZRSetting* const typeSetting = GetSettings().FindSetting(kSettingAnalysisType);
  const int type = typeSetting ? static_cast<int>(typeSetting->AsDouble()) : 0;
  const int32_t channels = ExtLib::MaxOfThreeCounts(HostDataDocument());
  bool refreshed = false;
  bool switchedOff = false;
  for (int32_t channel = 0; channel < channels; ++channel) {
    ComPtr<IHostChannelCalc> calculation;
    if (!ExtLib::GetDataDocumentRange(DataDocument(), DocIds::ChanCalcTypeId::Id(), channel, kChannelObjectRequest,
                                      calculation.Out()))
      continue;
    int32_t parameterId = -1;
    ComPtr<IPersistObject> settings;
    if (!gReader(calculation.Get(), &parameterId, settings.Out())) continue;
    if (mCatalogue->FindRecord(type, parameterId)) {
      calculation->ApplySettings(settings.Get(), VARIANT_FALSE);  // a calculation that fails shows its own state
      refreshed = true;
    } else if (SwitchCalculationOff(channel)) {
      switchedOff = true;
    }
  }
  if (refreshed && HostDataDocument()) HostDataDocument()->UpdateCalculations(0);
  if (switchedOff) ShowMessage(IDS_ZR_CALCULATIONS_OFF, MB_ICONASTERISK);
}

// The host's calculation-off message, sent through the document, takes the calculation off.
bool ZRDoc::SwitchCalculationOff(int32_t channel) {
  IMessageService* const service = GetMessageService();
  if (!service) return false;
  const uint32_t data[2] = {static_cast<uint32_t>(channel), 0u};
  ComPtr<IMessage> message;
  if (FAILED(service->CreateMessage(DocIds::HostAuxTypeId11::Id(), 0, 0, 0, 0, data, message.Out())) || !message)
    return false;
  return Send(message.Get(), static_cast<ICustomDocument2*>(this)) == S_OK;
}

}  // namespace ZR::Doc
