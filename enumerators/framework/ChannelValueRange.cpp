// Reading a channel's value range from the host.
#include "enumerators/framework/ChannelValueRange.h"

#include "hostapi/DataDocument.h"
#include "hostapi/RecordData.h"
#include "hostclient/ComPtr.h"

namespace ExtLib {

namespace {
// The record's values as stored, whatever the channel shows.
constexpr uint32_t kStoredValues = 0;
}  // namespace

bool GetChannelValueRange(IHostDataDocument* document, int32_t channel, TickPosition position, AxisRange* range,
                          double* scale) {
  if (!document || !range || !scale) return false;
  QOR::ComPtr<IUnknown> file;
  QOR::ComPtr<IHostRecordData> data;
  if (FAILED(document->GetDataObject(file.Out())) || !file) return false;
  if (FAILED(file->QueryInterface(IID_IHostRecordData, data.OutVoid())) || !data) return false;
  QOR::ComPtr<IChannelUnits> units;
  if (FAILED(data->GetUnitsObject(kStoredValues, position.record, channel, units.Out())) || !units) return false;
  double ends[2] = {0.0, 0.0};
  if (FAILED(units->GetRange(ends))) return false;
  double factor = 1.0;
  if (FAILED(units->GetScale(kStoredValues, &factor))) factor = 1.0;
  *range = AxisRange{ends[0], ends[1]};
  *scale = factor;
  return true;
}

}  // namespace ExtLib
