// A recording as the stand-in host keeps it: channels described once, records of float samples.
#pragma once

#include "host/data/ChannelSampleSource.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace host {

// One channel of the recording. A channel with a formula is calculated: it holds no samples of
// its own, and its values come from the formula (an arithmetic signal or an enumerator chain).
struct ChannelInfo {
  std::wstring title;
  std::wstring units;
  std::wstring formula;
  // The values a sampled channel can hold, as its declaration gave them; unbounded otherwise.
  float lowest = -HUGE_VALF;
  float highest = HUGE_VALF;
};

// The samples of one record. Every recorded channel and every signal-formula channel holds
// `length` samples; enumerator-formula channels hold none. A record grows while the host samples
// into it.
struct RecordData {
  double tickPeriod = 0.0;  // seconds per tick
  int32_t length = 0;
  bool complete = true;     // false while sampling still writes this record
  std::vector<std::shared_ptr<ChannelRecord>> samples;  // one per channel
  // Units a channel was recorded in within this record when they differ from the channel's
  // (a gain or amplifier mode changed between records); an empty or missing entry: the channel's.
  std::vector<std::wstring> units;
};

struct Recording {
  std::vector<ChannelInfo> channels;
  std::vector<RecordData> records;
};

// A record with `channelCount` empty channels.
RecordData MakeEmptyRecord(size_t channelCount, double tickPeriod, bool complete);

// An empty channel of a record at tickPeriod seconds per tick. Its time base is 1/n seconds
// where the period is the reciprocal of a whole rate, else a reduced fraction of nanoseconds.
std::shared_ptr<ChannelRecord> MakeChannelRecord(double tickPeriod, bool complete);

}  // namespace host
