// Installing the host's formula calculation and preparing its engine over a range.
#include "chancalc/InstallFormulaCalculation.h"

#include "base/String.h"
#include "hostapi/CalcEnum.h"
#include "hostapi/CalcEnumClass.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/RangeSource.h"
#include "hostclient/ComPtr.h"
#include "hostclient/FrameworkAccess.h"

namespace ZR::ChanCalc {

namespace {

// The engine's steps once the calculation is made; E_FAIL without the enumerator's class.
HRESULT PrepareEngine(const FormulaInstall& install, IHostChannelCalcEngine* engine, IHostDataDocument* document,
                      IUnknown* dataObject, HostPosition start, HostPosition end, float* top, float* bottom) {
  IClassRegistry* const factory = ObjectFactoryAccessor::Get();
  ComPtr<ICalcEnumClass2> enumClass;
  if (!factory || FAILED(factory->GetClassObject(install.enumeratorTypeId, IID_ICalcEnumClass2, enumClass.OutVoid())) ||
      !enumClass)
    return E_FAIL;
  ComPtr<ICalcEnum> enumerator;
  HRESULT hr = enumClass->CreateEnum(dataObject, enumerator.Out());
  if (FAILED(hr)) return hr;
  engine->SetEnumerator(nullptr, install.outputChannel, install.furtherValue, document, enumerator.Get());
  const QOR::String formula(install.formula.c_str());
  uint32_t word = 0;
  engine->SetFormula(formula.GetInterface(), &word);
  engine->SetSources(static_cast<int32_t>(install.sources.size()),
                     install.sources.empty() ? nullptr : install.sources.data(), nullptr);
  return engine->Prepare(install.hostDocument, start.record, start.tick, end.record, end.tick, top, bottom,
                         install.prepareFlag ? 0x80000000u : 0u);
}

}  // namespace

HRESULT InstallFormulaCalculation(const FormulaInstall& install, float* top, float* bottom) {
  if (!install.hostDocument || !install.hostClass) return E_POINTER;
  ComPtr<IUnknown> channelObject;
  install.hostDocument->GetChannelObject(0, channelObject.Out());  // held until the end
  HostPosition start{0, 0};
  HostPosition end{0x7FFFFFFF, 0};
  ComPtr<IHostRangeSource> range;
  if (install.rangeSource) install.rangeSource->QueryInterface(IID_IHostRangeSource, range.OutVoid());
  if (range) range->GetRange(&start, &end);
  ComPtr<IHostDataDocument> document;
  if (FAILED(install.hostDocument->GetDataDocument(document.Out())) || !document) return E_FAIL;
  ComPtr<IUnknown> dataObject;
  document->GetDataObject(dataObject.Out());
  ComPtr<IHostChannelCalc> calculation;
  HRESULT hr = install.hostClass->CreateCalculation(install.outputChannel, install.furtherValue, document.Get(),
                                                     calculation.Out());
  if (FAILED(hr) || !calculation) return FAILED(hr) ? hr : E_FAIL;
  ComPtr<IHostChannelCalcEngine> engine;
  ComPtr<IChannelCalc> channelCalc;
  calculation->QueryInterface(IID_IHostChannelCalcEngine, engine.OutVoid());
  if (engine) engine->QueryInterface(IID_IChannelCalc, channelCalc.OutVoid());
  if (!engine || !channelCalc) return E_NOINTERFACE;
  channelCalc->TakeSettings(0, install.hostSettings);
  hr = PrepareEngine(install, engine.Get(), document.Get(), dataObject.Get(), start, end, top, bottom);
  engine->Finish();
  return hr;
}

}  // namespace ZR::ChanCalc
