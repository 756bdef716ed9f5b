// The benchmark chain "detector": the cardiac peak detector alone over the channel.
#include "bench/BenchChain.h"

#include "base/String.h"
#include "enumerators/cappeakdet/CAPPeakDet.h"

namespace bench {

namespace {

HRESULT BuildDetector(const std::shared_ptr<host::ChannelRecord>& channel, double tickPeriod,
                      ComPtr<IEnumEventEx>& outermost) {
  ComPtr<ICalcEnum> detector;
  detector.Attach(new ZR::Enum::CAPPeakDetEnumerator(nullptr, nullptr));
  uint32_t kind = 0;
  HRESULT hr = detector->LoadSettings(QOR::String(L"0 0.1 -1").GetInterface(), &kind);
  if (FAILED(hr)) return hr;
  ComPtr<IUnknown> cursor;
  hr = NewChannelCursor(channel, cursor);
  if (FAILED(hr)) return hr;
  IUnknown* sources[] = {cursor.Get()};
  hr = detector->SetSources(0, 1, sources, nullptr, tickPeriod, 0);
  if (FAILED(hr)) return hr;
  return detector->QueryInterface(IID_IEnumEventEx, outermost.OutVoid());
}

const ChainRegistrar kDetector("detector", &BuildDetector);

}  // namespace

}  // namespace bench
