// The benchmark chain "detector": the cardiac peak detector alone over the channel.
#include "bench/BenchChain.h"

#include "enumerators/cappeakdet/CAPPeakDet.h"

namespace bench {

namespace {

HRESULT BuildDetector(const std::shared_ptr<host::ChannelRecord>& channel, double tickPeriod,
                      ComPtr<IEnumEventEx>& outermost) {
  ComPtr<ICalcEnum> detector;
  const HRESULT hr =
      AddStage<ZR::Enum::CAPPeakDetEnumerator>(channel, tickPeriod, L"0 0.1 -1", nullptr, detector);
  if (FAILED(hr)) return hr;
  return detector->QueryInterface(IID_IEnumEventEx, outermost.OutVoid());
}

const ChainRegistrar kDetector("detector", &BuildDetector);

}  // namespace

}  // namespace bench
