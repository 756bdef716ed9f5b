// A recording as the stand-in host keeps it.
#include "host/data/Recording.h"

namespace host {

RecordData MakeEmptyRecord(size_t channelCount, double tickPeriod) {
  RecordData record;
  record.tickPeriod = tickPeriod;
  record.samples.reserve(channelCount);
  for (size_t i = 0; i < channelCount; ++i) record.samples.push_back(std::make_shared<std::vector<float>>());
  return record;
}

}  // namespace host
