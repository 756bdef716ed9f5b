// ZR::ChanCalc::Calc: settings, formula and sources handed to the engine, output and title.
#include "chancalc/Calc.h"

#include "base/String.h"
#include "chancalc/OutputFormat.h"
#include "document/AnalysisChannelUnit.h"
#include "document/ExpressionBuilder.h"
#include "document/ParamCatalogue.h"
#include "document/ParameterUnits.h"
#include "document/ScrivoDataChildData.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "document/ZRSettingIO.h"
#include "document/ZRDoc.h"
#include "enumerators/framework/HostHelpers.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/ComBoundary.h"

#include <new>

namespace ZR::ChanCalc {

namespace {

constexpr uint32_t kAnalysisObjectRequest = 0x80001004u;
constexpr uint32_t kDisplayedRequest = 0x40000000u;
constexpr uint32_t kCalcFlags = 0x10000000u;
constexpr uint32_t kAutoScaleRequest = 0x1u;

}  // namespace

std::vector<CCalcEnumSourceInfo> BuildSources(const Doc::SettingsStore* store) {
  std::vector<CCalcEnumSourceInfo> sources;
  sources.reserve(8);
  if (store)
    sources.push_back({static_cast<uint32_t>(store->GetLongValue(Doc::kSettingAnalysisObject)), kAnalysisObjectRequest,
                       kDisplayedRequest});
  return sources;
}

std::wstring BuildExpression(const Doc::SettingsStore* store, IUnknown* dataDocument, int32_t parameterId) {
  std::wstring text = L"99";
  if (!store) return text;
  ExpressionBuilder builder(*store, dataDocument);
  std::wstring analysis;
  if (!builder.ReadStoredText(analysis, ExpressionMode::kStoredAnalysis) || analysis.empty()) return text;
  builder.WriteSelector(analysis, parameterId);
  return analysis;
}

Calc::Calc(IHostDataDocument* context, ICalculationClass* calculationClass, int32_t outputChannel,
           uint32_t furtherValue) noexcept
    : ChannelCalcBase(context, calculationClass, outputChannel, furtherValue) {
  ComPtr<IHostDocument> hostDocument;
  if (context && SUCCEEDED(context->QueryInterface(IID_IHostDocument, hostDocument.OutVoid())))
    mHostDocument = hostDocument.Get();  // the context is the host document's own part
}

Calc::~Calc() { mSettings.Reset(); }

Calc* Calc::Create(IHostDataDocument* context, ICalculationClass* calculationClass, int32_t outputChannel,
                   uint32_t furtherValue) {
  return new Calc(context, calculationClass, outputChannel, furtherValue);
}

HRESULT STDMETHODCALLTYPE Calc::Setup(int32_t selector, uint32_t, uint32_t, IUnknown** outputSource,
                                      ChannelCalcTimeBase* timeBase, int32_t secondSelector,
                                      uint32_t* word) noexcept {
  if (outputSource) *outputSource = nullptr;
  const HRESULT hr = QOR::ComTry([&] { return MakeOutput(mUnit.baseUnit.c_str(), outputSource); });
  if (timeBase) *timeBase = ChannelCalcTimeBase{1, 1, 0.0};
  if (DataAccess()) DataAccess()->Select(0, selector, secondSelector);  // the host's; not examined
  if (word) *word = 0;
  return hr;
}

HRESULT STDMETHODCALLTYPE Calc::ApplySettings(IPersistObject* settings, uint32_t) noexcept {
  return QOR::ComTry([&]() -> HRESULT {
    ComPtr<SettingsCOM> copy(SettingsCOM::Create(SettingsCOM::FromInterface(settings), OutputChannel()));
    mSettings = copy;
    return Apply(copy->Values());
  });
}

HRESULT Calc::Apply(const SettingsValues& values) {
  Doc::ScrivoDataChildData* const child = Doc::ScrivoDataChildData::GetOrCreate(DataObject());
  SetEnumeratorClass(GetEventTypeId());  // a missing engine shows in the steps below
  float top = values.scaleTop;
  float bottom = values.scaleBottom;
  WidenNarrowScale(top, bottom);
  SetOutputRange(top, bottom, values.decimalPlaces, false);
  if (mHostDocument) {
    TakeOutputUnit(values.parameterId);
    Format().unitPrefixIndex = QOR::PrefixIndexFromLetter(mUnit.prefix);
  }
  const Doc::SettingsStore* const store = child ? child->GetSettings() : nullptr;
  const std::vector<CCalcEnumSourceInfo> sources = BuildSources(store);
  uint32_t formulaWord = kDisplayedRequest;
  if (Engine()) {
    uint32_t sourcesWord = 0;
    Engine()->SetSources(static_cast<int32_t>(sources.size()), sources.empty() ? nullptr : sources.data(),
                         &sourcesWord);
    const QOR::String formula(BuildExpression(store, DataObject(), values.parameterId).c_str());
    Engine()->SetFormula(formula.GetInterface(), &formulaWord);
  }
  ComPtr<IUnknown> engine2;
  if (Engine()) QueryInterface(IID_IHostChannelCalcEngine2, engine2.OutVoid());
  if (!Context()) return E_FAIL;
  const HRESULT hr = Context()->Apply(OutputChannel(), FurtherValue(), kDisplayedRequest, engine2.Get());
  if (hr == S_OK && child) ConsumeAutoScale(child->FlagWord());
  return hr;
}

void Calc::TakeOutputUnit(int32_t parameterId) {
  if (!Doc::ZRDoc::FromHostDocument(mHostDocument)) return;
  QOR::UnitWithPrefix channelUnit;
  Doc::AnalysisChannelUnit(DataObject(), 0, channelUnit);  // no unit leaves the measurement's own
  mUnit = Doc::ParameterUnits(parameterId, channelUnit.baseUnit, channelUnit.prefix);
}

// The dialog's auto-scale request is answered once: the host scales the channel to its values
// unless it is sampling into the document.
void Calc::ConsumeAutoScale(uint32_t& flagWord) noexcept {
  if (!(flagWord & kAutoScaleRequest)) return;
  flagWord &= ~kAutoScaleRequest;
  if (!mHostDocument) return;
  VARIANT_BOOL set = VARIANT_FALSE;
  mHostDocument->QueryFlag(0, &set);
  if (set == VARIANT_FALSE) mHostDocument->SetValue(0.0);
}

HRESULT STDMETHODCALLTYPE Calc::GetSettings(IPersistObject** settings) noexcept {
  if (!settings) return E_POINTER;
  *settings = nullptr;
  return QOR::ComTry([&] {
    SettingsCOM* const copy = SettingsCOM::Create(mSettings.Get(), OutputChannel());
    copy->AddRef();
    *settings = copy;
  });
}

HRESULT STDMETHODCALLTYPE Calc::GetFlags(uint32_t* flags) noexcept {
  if (!flags) return E_POINTER;
  *flags = kCalcFlags;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE Calc::Reserved8(uint32_t, void** out) noexcept {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Calc::GetTitle(uint32_t, QOR::IQORString** title) noexcept {
  if (!title) return E_POINTER;
  *title = nullptr;
  return QOR::ComTry([&] {
    QOR::String text(L"Ondara, ");
    Doc::ZRDoc* const document = Doc::ZRDoc::FromHostDocument(mHostDocument);
    if (document && mSettings) {
      const Doc::SettingsStore& store = document->GetSettings();
      const auto* const type = store.GetIntSetting(Doc::kSettingAnalysisType);
      if (store.GetCatalogue() && type)
        text.Append(store.GetCatalogue()->GetShortNameById(type->Get(), mSettings->Values().parameterId));
      text.Append(L" of ");
      text.Append(ExtLib::GetHostObjectText(mHostDocument, static_cast<int32_t>(store.GetLongValue(
                                                               Doc::kSettingAnalysisChannel))));
    }
    *title = text.AddRefInterface();
  });
}

bool ReadShownMeasurement(IUnknown* calculation, int32_t* parameterId, IPersistObject** settings) noexcept {
  if (settings) *settings = nullptr;
  if (!calculation || !parameterId || !settings) return false;
  ComPtr<IChannelCalc> calc;
  ComPtr<IPersistObject> copy;
  if (FAILED(calculation->QueryInterface(IID_IChannelCalc, calc.OutVoid())) || !calc ||
      FAILED(calc->GetSettings(copy.Out())) || !copy)
    return false;
  const SettingsCOM* const own = SettingsCOM::FromInterface(copy.Get());
  if (!own) return false;
  *parameterId = own->Values().parameterId;
  *settings = copy.Detach();
  return true;
}

}  // namespace ZR::ChanCalc
