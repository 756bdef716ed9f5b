// The stand-in host's channel sample source: one channel of one record held in memory, read through
// ISampleSource by as many independent cursors as a chain has stages.
#pragma once

#include <unknwn.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "hostapi/SampleSource.h"

namespace host {

// The samples of one channel in one record. While the host samples, the record grows (Append) and is
// incomplete; Complete ends it. Cursors share it and see every change at once.
class ChannelRecord {
 public:
  // The tick period as the time base numerator / denominator seconds per tick.
  ChannelRecord(int64_t numerator, int64_t denominator, bool complete);

  void Append(const float* samples, int32_t count);
  // Room for length samples, so that appending up to it cannot fail.
  void Reserve(int32_t length);
  void Complete() noexcept { mComplete = true; }

  int32_t Length() const noexcept { return static_cast<int32_t>(mSamples.size()); }
  bool IsComplete() const noexcept { return mComplete; }
  const float* Samples() const noexcept { return mSamples.data(); }
  const TimeBase& GetTimeBase() const noexcept { return mTimeBase; }

 private:
  std::vector<float> mSamples;
  bool mComplete;
  TimeBase mTimeBase;
};

// A new cursor over record, positioned at startTick and ending at endTick (0x7FFFFFFF: the record's end).
// Complete, it answers S_FALSE with no samples at its end; growing, S_OK with no samples until more arrive.
// The caller receives the only reference.
HRESULT CreateChannelSampleSource(std::shared_ptr<const ChannelRecord> record, int32_t startTick, int32_t endTick,
                                  ISampleSource** source);

}  // namespace host
