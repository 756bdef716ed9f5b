// The benchmark chain "stages": CalcBase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,0.3)))).
#include "bench/BenchChain.h"

#include "enumerators/calcamax/CalcAMax.h"
#include "enumerators/calcbase/CalcBase.h"
#include "enumerators/calcbase2/CalcBase2.h"
#include "enumerators/cappeakdet/CAPPeakDet.h"

namespace bench {

HRESULT BuildPeakStages(const std::shared_ptr<host::ChannelRecord>& channel, double tickPeriod,
                        ComPtr<ICalcEnum>& base2) {
  ComPtr<ICalcEnum> detector, base, amax;
  HRESULT hr = AddStage<ZR::Enum::CAPPeakDetEnumerator>(channel, tickPeriod, L"0 0.3", nullptr, detector);
  if (SUCCEEDED(hr)) hr = AddStage<ZR::Enum::CalcBaseEnumerator>(channel, tickPeriod, L"0", detector.Get(), base);
  if (SUCCEEDED(hr)) hr = AddStage<ZR::Enum::CalcAMaxEnumerator>(channel, tickPeriod, L"0", base.Get(), amax);
  if (SUCCEEDED(hr)) hr = AddStage<ZR::Enum::CalcBase2Enumerator>(channel, tickPeriod, L"0", amax.Get(), base2);
  return hr;
}

namespace {

HRESULT BuildStages(const std::shared_ptr<host::ChannelRecord>& channel, double tickPeriod,
                    ComPtr<IEnumEventEx>& outermost) {
  ComPtr<ICalcEnum> base2;
  const HRESULT hr = BuildPeakStages(channel, tickPeriod, base2);
  if (FAILED(hr)) return hr;
  return base2->QueryInterface(IID_IEnumEventEx, outermost.OutVoid());
}

const ChainRegistrar kStages("stages", &BuildStages);

}  // namespace

}  // namespace bench
