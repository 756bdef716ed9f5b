// The enumerators' parameter records filled from the settings.
#include "document/BuilderParams.h"

#include "base/ExactDoubleText.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "document/ZRSetting.h"

#include <initializer_list>

namespace ZR {

namespace {

void Fill(Enum::NumericParams& params, std::initializer_list<double> values) {
  int32_t index = 0;
  for (const double value : values) params.Access(index++, value, true);
}

int32_t Type(const Doc::SettingsStore& store) {
  return static_cast<int32_t>(SettingNumber(store, Doc::kSettingAnalysisType));
}

}  // namespace

double SettingNumber(const Doc::SettingsStore& store, Doc::SettingId id) {
  const Doc::ZRSetting* const setting = store.FindSetting(id);
  return setting ? setting->AsDouble() : 0.0;
}

std::wstring FormulaList(const Enum::NumericParams& params) {
  std::wstring list;
  for (int32_t i = 0; i < params.Count(); ++i) {
    if (i > 0) list += L", ";
    list += QOR::ExactDoubleText(params.Get(i));
  }
  return list;
}

EStimDetParams::EStimDetParams(const Doc::SettingsStore* store) {
  if (!store) return;
  const auto n = [store](Doc::SettingId id) { return SettingNumber(*store, id); };
  const bool perBlock = n(Doc::kSettingStimulusMethod) == 4;
  Fill(*this, {n(Type(*store) == 3 ? Doc::kSettingMinStimulusHeightER : Doc::kSettingMinStimulusHeightPS),
               n(Doc::kSettingMaxArtifactWidth), perBlock ? n(Doc::kSettingSearchStart) : 0.0,
               n(Doc::kSettingMinArtifactInterval), perBlock ? 1.0 : 0.0});
}

EBaseParams::EBaseParams(const Doc::SettingsStore* store) {
  if (!store) return;
  const auto n = [store](Doc::SettingId id) { return SettingNumber(*store, id); };
  const int32_t type = Type(*store);
  const bool evoked = type == 3;
  // The general and synaptic detectors give a peak's extreme only: their automatic baseline is the foot of the
  // peak's rise (mode 3), where the flattest stretch would often lie on the rise or on an earlier event.
  const double mode = n(Doc::kSettingBaselineMode);
  const bool foot = (type == 0 || type == 2) && mode != 1.0 && mode != 2.0;
  // A baseline of at most 1000 ms, within 5 % of the height.
  Fill(*this, {1000.0, 5.0, evoked ? n(Doc::kSettingDetectionStart) : -1.0,
               evoked ? n(Doc::kSettingDetectionEnd) : -1.0, foot ? 3.0 : mode, n(Doc::kSettingBaselineValue)});
}

EAMaxParams::EAMaxParams(const Doc::SettingsStore* store) {
  if (!store) return;
  const auto n = [store](Doc::SettingId id) { return SettingNumber(*store, id); };
  const int32_t type = Type(*store);
  // The general and synaptic detectors' events move to the maximum found; the others' stay.
  const bool reposition = !(type == 1 || type == 3 || type == 4 || type == 5);
  Fill(*this, {n(type == 5 ? Doc::kSettingStartHeightPercentAP : Doc::kSettingStartHeightPercent),
               reposition ? 1.0 : 0.0, n(Doc::kSettingEndHeightPercent)});
}

EBase2Params::EBase2Params(const Doc::SettingsStore* store) {
  if (!store) return;
  const auto n = [store](Doc::SettingId id) { return SettingNumber(*store, id); };
  Fill(*this, {n(Doc::kSettingMidPlateauPercent), n(Doc::kSettingTauStart), n(Doc::kSettingTauEnd),
               n(Doc::kSettingPlateauCentre)});
}

EBulkParams::EBulkParams(const Doc::SettingsStore* store) {
  if (!store) return;
  const auto n = [store](Doc::SettingId id) { return SettingNumber(*store, id); };
  Fill(*this,
       {n(Doc::kSettingAnalysisType), n(Doc::kSettingAreaStart), n(Doc::kSettingAreaEnd), n(Doc::kSettingTauMode),
        n(Doc::kSettingTauFixedValue), n(Doc::kSettingRiseStart), n(Doc::kSettingRiseEnd),
        n(Doc::kSettingTriangulationStart), n(Doc::kSettingTriangulationEnd), n(Doc::kSettingPlateauVoltageWidth),
        n(Doc::kSettingPlateauLevelWidth), n(Doc::kSettingSlopeStart), n(Doc::kSettingSlopeEnd),
        n(Doc::kSettingValueLocation), n(Doc::kSettingMaxNegSlopeStart), n(Doc::kSettingMaxNegSlopeSmoothing)});
}

EPSCalcParams::EPSCalcParams(const Doc::SettingsStore* store) {
  if (!store) return;
  const auto n = [store](Doc::SettingId id) { return SettingNumber(*store, id); };
  Fill(*this, {n(Doc::kSettingSlopeStart), n(Doc::kSettingSlopeEnd), n(Doc::kSettingValueLocation)});
}

}  // namespace ZR
