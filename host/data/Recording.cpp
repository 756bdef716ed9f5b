// A recording as the stand-in host keeps it.
#include "host/data/Recording.h"

#include <cmath>
#include <numeric>

namespace host {

std::shared_ptr<ChannelRecord> MakeChannelRecord(double tickPeriod, bool complete) {
  int64_t numerator = 1;
  int64_t denominator = 1;
  if (tickPeriod > 0.0 && tickPeriod <= 1e6) {
    const double rate = 1.0 / tickPeriod;
    const double whole = std::round(rate);
    if (whole >= 1.0 && std::fabs(rate - whole) <= 1e-9 * whole) {
      denominator = static_cast<int64_t>(whole);
    } else {
      numerator = std::max<int64_t>(1, std::llround(tickPeriod * 1e9));
      denominator = 1000000000;
      const int64_t g = std::gcd(numerator, denominator);
      numerator /= g;
      denominator /= g;
    }
  }
  return std::make_shared<ChannelRecord>(numerator, denominator, complete);
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
