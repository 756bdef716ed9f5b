// The smoothed-slope window length as the host's record data gives it for a channel and record.
#include "enumerators/calcbulk/HostSmoothing.h"

#include "hostapi/RecordData.h"
#include "hostclient/ComPtr.h"

namespace ZR::Enum::CalcBulk {

SmoothingPoints QueryHostSmoothingPoints(IUnknown* dataFile, int32_t record, int32_t channel) noexcept {
  TimeBase answer{1, 1, 0.0};
  QOR::ComPtr<IHostRecordData> recordData;
  if (dataFile && SUCCEEDED(dataFile->QueryInterface(IID_IHostRecordData, recordData.OutVoid())) && recordData) {
    TimeBase asked = answer;
    // A failed call keeps the preset answer.
    if (SUCCEEDED(recordData->GetChannelTimeBase(0, record, channel, &asked))) answer = asked;
  }
  return ComputeSmoothingPoints(answer.numerator, answer.denominator, answer.offset);
}

}  // namespace ZR::Enum::CalcBulk
