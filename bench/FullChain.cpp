// The benchmark chain "full": CalcBulk(ch1,CalcBase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,0.3))))).
#include "bench/BenchChain.h"

#include "enumerators/calcbulk/CalcBulk.h"

namespace bench {

namespace {

HRESULT BuildFull(const std::shared_ptr<host::ChannelRecord>& channel, double tickPeriod,
                  ComPtr<IEnumEventEx>& outermost) {
  ComPtr<ICalcEnum> base2, bulk;
  HRESULT hr = BuildPeakStages(channel, tickPeriod, base2);
  if (SUCCEEDED(hr)) hr = AddStage<ZR::Enum::CalcBulkEnumerator>(channel, tickPeriod, L"0", base2.Get(), bulk);
  if (FAILED(hr)) return hr;
  return bulk->QueryInterface(IID_IEnumEventEx, outermost.OutVoid());
}

const ChainRegistrar kFull("full", &BuildFull);

}  // namespace

}  // namespace bench
