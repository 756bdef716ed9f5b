// ZR::ExpressionBuilder: detector texts, the response-peak wrap, the calculation chain, the selector.
#include "document/ExpressionBuilder.h"

#include "base/ExactDoubleText.h"
#include "base/String.h"
#include "document/BuilderParams.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "document/ZRSetting_Bool.h"
#include "enumerators/framework/HostHelpers.h"
#include "hostapi/DataObjects.h"
#include "hostapi/PXDetectionSettings.h"
#include "hostclient/ComPtr.h"

namespace ZR {

namespace {

// The kind under which a reference to a channel (not an object) is passed to the detection
// settings object.
constexpr uint32_t kChannelReferenceKind = 0xC0000000u;

}  // namespace

AnalysisRegion GetAnalysisRegion(const Doc::SettingsStore& store) {
  const Doc::ZRSetting_Bool* const noRegion = store.GetBoolSetting(Doc::kSettingNoRegionStored);
  if (noRegion && noRegion->Get()) return AnalysisRegion{};
  return AnalysisRegion{static_cast<int32_t>(store.GetLongValue(Doc::kSettingRegionStartRecord)),
                        static_cast<int32_t>(store.GetLongValue(Doc::kSettingRegionStartTick)),
                        static_cast<int32_t>(store.GetLongValue(Doc::kSettingRegionEndRecord)),
                        static_cast<int32_t>(store.GetLongValue(Doc::kSettingRegionEndTick))};
}

ExpressionBuilder::ExpressionBuilder(const Doc::SettingsStore& store, IUnknown* dataDocument)
    : mStore(store),
      mRegion(GetAnalysisRegion(store)),
      mChannel(static_cast<int32_t>(store.GetLongValue(Doc::kSettingAnalysisChannel))),
      mSourceObject(static_cast<int32_t>(store.GetLongValue(Doc::kSettingSourceObject))),
      mDetectorObject(static_cast<int32_t>(store.GetLongValue(Doc::kSettingDetectorObject))),
      mAnalysisObject(static_cast<int32_t>(store.GetLongValue(Doc::kSettingAnalysisObject))),
      mDataDocument(dataDocument) {}

double ExpressionBuilder::Value(Doc::SettingId id) const { return SettingNumber(mStore, id); }

bool ExpressionBuilder::Flag(Doc::SettingId id) const {
  const Doc::ZRSetting_Bool* const setting = mStore.GetBoolSetting(id);
  return setting && setting->Get();  // a missing switch counts as clear
}

int32_t ExpressionBuilder::Int(Doc::SettingId id) const { return static_cast<int32_t>(Value(id)); }

std::wstring ExpressionBuilder::Number(double value) const { return QOR::ExactDoubleText(value); }

std::wstring ExpressionBuilder::Channel() const { return L"ch" + ExtLib::LongToText(mChannel + 1); }

std::wstring ExpressionBuilder::Region() const {
  return ExtLib::LongToText(mRegion.startRecord) + L", " + ExtLib::LongToText(mRegion.startTick) + L", " +
         ExtLib::LongToText(mRegion.endRecord) + L", " + ExtLib::LongToText(mRegion.endTick);
}

std::wstring ExpressionBuilder::Source() const {
  // Without a source object (its id still -1) the detectors read the analysis channel itself;
  // "ch" + (id + 1) would name channel 0, which does not exist.
  if (mSourceObject < 0) return Channel();
  return ExtLib::LongToString(mDataDocument, mSourceObject, kMarkerObjectKind).GetText();
}

std::wstring ExpressionBuilder::CAPChain() const {
  const std::wstring h = Number(Value(Doc::kSettingMinPeakHeight));
  // The width filter's minimum width at half height.
  const std::wstring w = Number(Value(mAnalysisType == 5 ? Doc::kSettingMinPeakWidthAP : Doc::kSettingMinPeakWidthCAP));
  const std::wstring r = Region();
  if (!Flag(Doc::kSettingPeakWidthFilter)) return L"cappeakdet( " + Source() + L", " + h + L", " + w + L", " + r + L")";
  const std::wstring ch = Channel();
  return L"cappwf( " + ch + L", calcbase( " + ch + L", cappeakdet( " + Source() + L", " + h + L", 0, " + r +
         L"), " + FormulaList(EBaseParams(&mStore)) + L", " + r + L" ), " + w + L", " + r + L" )";
}

std::wstring ExpressionBuilder::StimDetChain() const {
  return L"erstimdet( " + Channel() + L", " + FormulaList(EStimDetParams(&mStore)) + L", " + Region() + L") ";
}

std::wstring ExpressionBuilder::StimSOBChain() const {
  return L"erstimsob( " + Number(Value(Doc::kSettingStimulusPosition)) + L", " + Region() + L") ";
}

bool ExpressionBuilder::PCCChain(std::wstring& text, bool useSource) {
  IPXDetectionSettings* const detection = mStore.GetDetectionSettingsObject();
  if (!detection) return false;
  const QOR::String reference = useSource ? QOR::String(Source().c_str()) : QOR::String(Channel().c_str());
  QOR::ComPtr<QOR::IQORString> formula;
  const HRESULT hr = detection->GetDetectorFormula(reference.GetInterface(), useSource ? VARIANT_TRUE : VARIANT_FALSE,
                                                   useSource ? mSourceObject : -1,
                                                   useSource ? kMarkerObjectKind : kChannelReferenceKind,
                                                   formula.Out());
  if (FAILED(hr) || !formula) return false;
  text = L"pcc( " + Channel() + L", " + formula->GetText() + L", " + Region() + L" )";
  return true;
}

bool ExpressionBuilder::WritePCCChain(std::wstring& text) { return PCCChain(text, true); }

bool ExpressionBuilder::WritePCCChannelChain(std::wstring& text) { return PCCChain(text, false); }

void ExpressionBuilder::WriteDetectorChain(std::wstring& text) {
  mPending = true;
  mAnalysisType = Int(Doc::kSettingAnalysisType);
  const int32_t method = Int(Doc::kSettingStimulusMethod);
  const bool stimDet = method == 3 || method == 4;
  std::wstring written;
  switch (mAnalysisType) {
    case 0:
    case 2: {
      // Without a detection settings object there is nothing to write: the fallback remains.
      IPXDetectionSettings* const detection = mStore.GetDetectionSettingsObject();
      VARIANT_BOOL usesSource = VARIANT_FALSE;
      if (detection && SUCCEEDED(detection->UsesSourceObject(&usesSource)))
        mPending = !PCCChain(written, usesSource != VARIANT_FALSE);
      break;
    }
    case 1:
    case 5:
      written = CAPChain();
      mPending = false;
      break;
    case 3:
      if (method == 2) written = StimSOBChain();
      if (stimDet) written = StimDetChain();
      mPending = !(method == 2 || stimDet);
      break;
    case 4:
      if (method == 2 || stimDet) {
        written = L"pspeakdet( " + Source() + L", " + (method == 2 ? StimSOBChain() : StimDetChain()) + L", " +
                  Number(Value(Doc::kSettingDetectionStart)) + L", " + Number(Value(Doc::kSettingDetectionEnd)) +
                  L", " + Region() + L") ";
        mPending = false;
      }
      break;
    default:
      break;
  }
  text = mPending ? std::wstring(FallbackText()) : written;
}

void ExpressionBuilder::WriteERPeakDetChain(std::wstring& text) {
  const int32_t method = Int(Doc::kSettingStimulusMethod);
  if (mAnalysisType != 3 || method < 2 || method > 4) return;
  const std::wstring peak = Flag(Doc::kSettingPassPeakLimits) ? Number(Value(Doc::kSettingMinPeakHeight)) + L", " +
                                                                    Number(Value(Doc::kSettingDetectionStart)) + L", " +
                                                                    Number(Value(Doc::kSettingDetectionEnd))
                                                              : L"1, 0, 0";
  text = L"erpeakdet( " + Source() + L", " + text + L", " + peak + L", " + Region() + L")";
}

void ExpressionBuilder::WriteCalculationChain(std::wstring& text) {
  const std::wstring ch = Channel();
  const std::wstring r = Region();
  if (mAnalysisType == 4) {
    text = L"pscalc( " + ch + L", " + text + L", " + FormulaList(EPSCalcParams(&mStore)) + L", " + r + L" )";
    return;
  }
  text = L"calcbulk( " + ch + L", calcbase2( " + ch + L", calcamax( " + ch + L", calcbase( " + ch + L", " + text +
         L", " + FormulaList(EBaseParams(&mStore)) + L", " + r + L" ), " + FormulaList(EAMaxParams(&mStore)) + L", " +
         r + L" ), " + FormulaList(EBase2Params(&mStore)) + L", " + r + L" ), " + FormulaList(EBulkParams(&mStore)) +
         L", " + r + L" )";
}

void ExpressionBuilder::WriteSelector(std::wstring& text, int32_t parameterId) {
  text = L"zrselector( " + text + L", " + ExtLib::LongToText(parameterId) + L")";
}

bool ExpressionBuilder::ReadStoredText(std::wstring& text, ExpressionMode mode) {
  mAnalysisType = Int(Doc::kSettingAnalysisType);
  mPending = false;
  const int32_t id = mode == ExpressionMode::kStoredDetector ? mDetectorObject : mAnalysisObject;
  return ExtLib::GetObjectFormulaText(mDataDocument, id, kMarkerObjectKind, &text);
}

bool BuildAnalysisExpression(const Doc::SettingsStore& store, IUnknown* dataDocument, std::wstring& text,
                             ExpressionMode mode) {
  ExpressionBuilder builder(store, dataDocument);
  if (mode != ExpressionMode::kDetector) return builder.ReadStoredText(text, mode) && !text.empty();
  builder.WriteDetectorChain(text);
  return !builder.Pending();
}

}  // namespace ZR
