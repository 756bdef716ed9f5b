// The three marker formulas handed to the host before an analysis.
#include "document/MarkerFormulas.h"

#include "base/String.h"
#include "document/BuilderParams.h"
#include "document/ExpressionBuilder.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "enumerators/framework/HostCalculation.h"
#include "enumerators/framework/HostHelpers.h"
#include "hostapi/DataObjects.h"
#include "hostapi/PXDetectionSettings.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/ComPtr.h"
#include "hostclient/TypeIds.h"

#include <string>

namespace ZR::Doc {

namespace {

constexpr uint32_t kChannelReferenceKind = 0xC0000000u;

void GiveFormula(IUnknown* dataFile, const SettingsStore& store, SettingId objectSetting, const std::wstring& text) {
  const auto id = static_cast<int32_t>(store.GetLongValue(objectSetting));
  // The host's answer is not looked at: a marker without its formula only shows nothing.
  ExtLib::CreateHostCalculation(dataFile, TypeIdClass<&HostCalcClassGUID, 0>::Id(), QOR::String(text.c_str()),
                                QOR::String(L""), id, kMarkerObjectKind);
}

}  // namespace

void SetupDetectionSource(IUnknown* dataFile, const SettingsStore& store) {
  const int32_t channel = store.GetCurrentChannel();
  const QOR::String reference = ExtLib::LongToString(dataFile, channel, kChannelReferenceKind);
  std::wstring text = reference.GetText();
  const auto type = static_cast<int32_t>(SettingNumber(store, Doc::kSettingAnalysisType));
  IPXDetectionSettings* const detection = (type == 0 || type == 2) ? store.GetDetectionSettingsObject() : nullptr;
  VARIANT_BOOL usesSource = VARIANT_FALSE;
  if (detection && SUCCEEDED(detection->UsesSourceObject(&usesSource)) && usesSource != VARIANT_FALSE) {
    QOR::ComPtr<QOR::IQORString> source;
    if (SUCCEEDED(detection->GetSourceFormula(reference.GetInterface(), source.Out())) && source)
      text = source->GetText();
  }
  GiveFormula(dataFile, store, Doc::kSettingSourceObject, text);
}

void SetupDetectorFormula(IUnknown* dataFile, const SettingsStore& store) {
  std::wstring text;
  BuildAnalysisExpression(store, dataFile, text, ExpressionMode::kDetector);  // the fallback is handed too
  GiveFormula(dataFile, store, Doc::kSettingDetectorObject, text);
}

void SetupCalculationFormula(IUnknown* dataFile, const SettingsStore& store) {
  ExpressionBuilder builder(store, dataFile);
  std::wstring text;
  builder.ReadStoredText(text, ExpressionMode::kStoredDetector);
  builder.WriteERPeakDetChain(text);
  builder.WriteCalculationChain(text);
  GiveFormula(dataFile, store, Doc::kSettingAnalysisObject, text);
}

}  // namespace ZR::Doc
