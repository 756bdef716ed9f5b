// A recording as the stand-in host keeps it.
#include "host/data/Recording.h"

#include "host/common/PeriodTimeBase.h"

namespace host {

std::shared_ptr<ChannelRecord> MakeChannelRecord(double tickPeriod, bool complete) {
  const TimeBase base = PeriodTimeBase(tickPeriod);
  return std::make_shared<ChannelRecord>(base.numerator, base.denominator, complete);
}

RecordData MakeEmptyRecord(size_t channelCount, double tickPeriod, bool complete) {
  RecordData record;
  record.tickPeriod = tickPeriod;
  record.complete = complete;
  record.samples.reserve(channelCount);
  for (size_t i = 0; i < channelCount; ++i) record.samples.push_back(MakeChannelRecord(tickPeriod, complete));
  return record;
}

}  // namespace host
