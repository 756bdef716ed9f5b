// The channel calculation's settings dialog as the host runs it.
#include "chancalc/RunSettingsDialog.h"

#include "base/ModalMessageBox.h"
#include "base/String.h"
#include "chancalc/Calc.h"
#include "chancalc/ChanCalcDlg.h"
#include "chancalc/ChanCalcStringIds.h"
#include "chancalc/InstallFormulaCalculation.h"
#include "chancalc/SettingsCOM.h"
#include "document/DocumentStringIds.h"
#include "document/ScrivoDataChildData.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "document/ZRDoc.h"
#include "document/ZRSettingIO.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/PXDetectionSettings.h"
#include "hostapi/MessageHandler.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/ComPtr.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/HostChildObject.h"
#include "hostclient/LumoMessageSender.h"
#include "hostclient/ModuleInstance.h"
#include "hostclient/TypeIds.h"

#include <memory>

namespace ZR::ChanCalc {

namespace {

constexpr uint32_t kAutoScaleRequest = 0x1u;
constexpr uint32_t kScaleMessageId = 0x800C004Au;
constexpr uint32_t kScaleMessageArgument = 0x331u;
constexpr double kScalePair[2] = {32000.0, -32000.0};

using HostCalcClass = TypeIdClass<&HostCalcClassGUID, 0>;
using HostCalcSettingsClass = TypeIdClass<&HostCalcClassGUID, 1>;

// The error box of a refusal over owner; the runner then answers S_FALSE.
HRESULT Refuse(HWND owner, uint32_t textId, uint32_t captionId) {
  const QOR::String text(GetModuleInstance(), textId, true);
  const QOR::String caption(GetModuleInstance(), captionId, true);
  QOR::ShowModalMessageBox(owner, text.GetText(), caption.GetText(), MB_ICONERROR);
  return S_FALSE;
}

ComPtr<Doc::ZRDoc> AnalysisDocument(IUnknown* hostDocument) {
  ComPtr<Doc::ZRDoc> document;
  document.Attach(Doc::ZRDoc::FromHostDocument(hostDocument));
  return document;
}

int AnalysisType(Doc::ZRDoc& document) {
  const auto* const type = document.GetSettings().GetIntSetting(Doc::kSettingAnalysisType);
  return type ? type->Get() : -1;
}

// Has the host's formula calculation evaluate the analysis once over the range, so that the
// working settings take the values' top and bottom.
void AutoScale(IHostDocument* hostDocument, IUnknown* rangeSource, IUnknown* dataObject, Doc::ZRDoc& document,
               SettingsValues& values, uint32_t furtherValue) {
  VARIANT_BOOL sampling = VARIANT_FALSE;
  hostDocument->QueryFlag(kHostDocumentFlagSampling, &sampling);
  Doc::ScrivoDataChildData* const child = Doc::ScrivoDataChildData::GetOrCreate(dataObject);
  if (sampling != VARIANT_FALSE) {
    hostDocument->Trigger();
    if (child) child->FlagWord() |= kAutoScaleRequest;
  } else if (child) {
    child->FlagWord() &= ~kAutoScaleRequest;
  }
  IClassRegistry* const factory = ObjectFactoryAccessor::Get();
  if (!factory) return;
  const Doc::SettingsStore& store = document.GetSettings();
  // Prepare is asked without its flag, also while the host samples.
  FormulaInstall install{hostDocument, rangeSource, nullptr, BuildSources(&store), GetEventTypeId(), nullptr,
                         BuildExpression(&store, dataObject, values.parameterId), false,
                         values.outputChannel, furtherValue};
  ComPtr<ICalculationClass> hostClass;
  ComPtr<IFormulaCalcSettings> hostSettings;
  factory->GetClassObject(HostCalcClass::Id(), IID_ICalculationClass, hostClass.OutVoid());
  factory->CreateInstance(HostCalcSettingsClass::Id(), nullptr, IID_IFormulaCalcSettings, hostSettings.OutVoid());
  if (!hostClass || !hostSettings) return;
  const QOR::String formula(install.formula.c_str());
  const QOR::String empty;
  hostSettings->SetText(formula.GetInterface(), empty.GetInterface(), 10.0, -10.0, 3, 0x40000000u);
  ComPtr<IPersistObject> persist;
  hostSettings->QueryInterface(IID_IPersistObject, persist.OutVoid());
  install.hostClass = hostClass.Get();
  install.hostSettings = persist.Get();
  InstallFormulaCalculation(install, &values.scaleTop, &values.scaleBottom);  // its answer is not used
}

// Tells the host document that the channel's calculation changed, with its display range.
void AnnounceChannel(IHostDocument* hostDocument, int32_t outputChannel) {
  ComPtr<IMessageHandler> handler;
  if (FAILED(hostDocument->QueryInterface(IID_IMessageHandler, handler.OutVoid())) || !handler) return;
  LumoMessageSender sender(hostDocument);
  const FrameworkMessageDesc message{kScaleMessageId, 0, {static_cast<uint32_t>(outputChannel), 0}};
  SendFrameworkMessage(message, kScaleMessageArgument, kScalePair, 2, sender, hostDocument);  // not looked at
}

HRESULT Run(HWND owner, IUnknown* hostObject, IUnknown* rangeSource, IPersistObject* current,
            IPersistObject** edited, int32_t outputChannel, uint32_t furtherValue) {
  ComPtr<IHostDocument> hostDocument;
  // Without a host document nothing can be checked: no dialog.
  if (!hostObject || FAILED(hostObject->QueryInterface(IID_IHostDocument, hostDocument.OutVoid())) || !hostDocument)
    return S_FALSE;
  ComPtr<IHostDataDocument> data;
  hostDocument->GetDataDocument(data.Out());
  ComPtr<IUnknown> dataObject;
  if (data) data->GetDataObject(dataObject.Out());
  ComPtr<SettingsCOM> working(SettingsCOM::Create(SettingsCOM::FromInterface(current), outputChannel));
  if (!IsAllowedOutputChannel(hostObject, outputChannel))
    return Refuse(owner, IDS_CC_ON_SOURCE_CHANNEL, IDS_CC_CAPTION);
  ComPtr<IPXPresetService> periodix;
  periodix.Attach(QOR::GetHostChildObject(dataObject.Get()));
  if (!periodix) return Refuse(owner, IDS_ZR_NO_PERIODIX, IDS_ZR_CAPTION);
  // Without an analysis document there is no analysis type either.
  ComPtr<Doc::ZRDoc> document = AnalysisDocument(hostObject);
  if (!document || AnalysisType(*document) == -1) return Refuse(owner, IDS_CC_NO_ANALYSIS_TYPE, IDS_ZR_CAPTION);

  std::unique_ptr<OWL::TWindow> parent;
  if (owner && IsWindow(owner)) parent = std::make_unique<OWL::TWindow>(owner);
  Dlg dialog(parent.get(), hostDocument.Get(), *document, working.Get());
  if (dialog.Execute() != IDOK) return S_FALSE;

  if (document->SettingsPersistence().IsDirty() == S_OK) document->RegisterSettingsPersistence();
  SettingsValues& values = working->Values();
  if (values.autoScale)
    AutoScale(hostDocument.Get(), rangeSource, dataObject.Get(), *document, values, furtherValue);
  AnnounceChannel(hostDocument.Get(), outputChannel);
  working->AddRef();
  *edited = working.Get();
  return S_OK;
}

}  // namespace

bool IsAllowedOutputChannel(IUnknown* hostDocument, int32_t outputChannel) noexcept {
  ComPtr<Doc::ZRDoc> document = AnalysisDocument(hostDocument);
  if (!document) return true;
  return document->GetSettings().GetLongValue(Doc::kSettingAnalysisChannel) != outputChannel;
}

HRESULT RunSettingsDialog(HWND owner, IUnknown* hostDocument, IUnknown* rangeSource, IPersistObject* current,
                          IPersistObject** edited, int32_t outputChannel, uint32_t furtherValue) noexcept {
  if (!edited) return E_POINTER;
  *edited = nullptr;
  return QOR::ComTry([&] { return Run(owner, hostDocument, rangeSource, current, edited, outputChannel, furtherValue); });
}

}  // namespace ZR::ChanCalc
