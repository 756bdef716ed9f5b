// A recording as the stand-in host keeps it.
#include "host/data/Recording.h"

namespace host {

RecordData MakeEmptyRecord(size_t channelCount, double tickPeriod, bool complete) {
  RecordData record;
  record.tickPeriod = tickPeriod;
  record.complete = complete;
  record.samples.reserve(channelCount);
  for (size_t i = 0; i < channelCount; ++i) {
    record.samples.push_back(std::make_shared<ChannelSamples>());
    record.samples.back()->complete = complete;
  }
  return record;
}

}  // namespace host
