// The benchmark chain "stages": CalcBase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,0.3)))).
#include "bench/BenchChain.h"

#include "base/String.h"
#include "enumerators/calcamax/CalcAMax.h"
#include "enumerators/calcbase/CalcBase.h"
#include "enumerators/calcbase2/CalcBase2.h"
#include "enumerators/cappeakdet/CAPPeakDet.h"

namespace bench {

namespace {

// One stage with the given settings over its own channel cursor and, after the detector, the stage inside it.
template <class Enumerator>
HRESULT MakeStage(const std::shared_ptr<host::ChannelRecord>& channel, double tickPeriod, const wchar_t* settings,
                  IUnknown* inner, ComPtr<ICalcEnum>& stage) {
  stage.Attach(new Enumerator(nullptr, nullptr));
  uint32_t kind = 0;
  HRESULT hr = stage->LoadSettings(QOR::String(settings).GetInterface(), &kind);
  if (FAILED(hr)) return hr;
  ComPtr<IUnknown> cursor;
  hr = NewChannelCursor(channel, cursor);
  if (FAILED(hr)) return hr;
  IUnknown* sources[] = {cursor.Get(), inner};
  return stage->SetSources(0, inner ? 2 : 1, sources, nullptr, tickPeriod, 0);
}

HRESULT BuildStages(const std::shared_ptr<host::ChannelRecord>& channel, double tickPeriod,
                    ComPtr<IEnumEventEx>& outermost) {
  ComPtr<ICalcEnum> detector, base, amax, base2;
  HRESULT hr = MakeStage<ZR::Enum::CAPPeakDetEnumerator>(channel, tickPeriod, L"0 0.3", nullptr, detector);
  if (SUCCEEDED(hr)) hr = MakeStage<ZR::Enum::CalcBaseEnumerator>(channel, tickPeriod, L"0", detector.Get(), base);
  if (SUCCEEDED(hr)) hr = MakeStage<ZR::Enum::CalcAMaxEnumerator>(channel, tickPeriod, L"0", base.Get(), amax);
  if (SUCCEEDED(hr)) hr = MakeStage<ZR::Enum::CalcBase2Enumerator>(channel, tickPeriod, L"0", amax.Get(), base2);
  if (FAILED(hr)) return hr;
  return base2->QueryInterface(IID_IEnumEventEx, outermost.OutVoid());
}

const ChainRegistrar kStages("stages", &BuildStages);

}  // namespace

}  // namespace bench
